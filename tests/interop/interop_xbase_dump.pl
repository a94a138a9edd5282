# Prints every record of a dBASE table as Perl XBase reads it.
#
# Usage: interop_xbase_dump.pl TABLE.dbf
#
# One line per record in file order: the deleted flag (0 or 1), then per
# field a tab and either "-" (no value) or "=" followed by the value's bytes
# in hex. Text without trailing blanks, a missing memo as empty text,
# numbers with the field's decimals, dates as yyyymmdd, logicals as T or F.
use strict;
use warnings;
use XBase;

@ARGV == 1 or die "usage: interop_xbase_dump.pl TABLE.dbf\n";
my $table = XBase->new($ARGV[0]) or die "cannot open $ARGV[0]: " . XBase->errstr;
my @types    = $table->field_types;
my @decimals = $table->field_decimals;

sub value_text {
  my ($type, $decimals, $value) = @_;
  if ($type eq 'C') { $value =~ s/ +$//; return $value; }
  return $value if $type eq 'M';
  return sprintf('%.*f', $decimals, $value) if $type eq 'N';
  return sprintf('%08d', $value) if $type eq 'D';
  return $value ? 'T' : 'F' if $type eq 'L';
  die "unexpected field type $type\n";
}

sub cell {
  my ($type, $decimals, $value) = @_;
  $value = '' if !defined $value && $type eq 'M';
  return '-' unless defined $value;
  return '=' . unpack('H*', value_text($type, $decimals, $value));
}

for my $i (0 .. $table->last_record) {
  my ($deleted, @values) = $table->get_record($i);
  defined $deleted or die "cannot read record " . ($i + 1) . ": " . $table->errstr;
  my @cells = map { cell($types[$_], $decimals[$_], $values[$_]) } 0 .. $#types;
  print join("\t", $deleted ? 1 : 0, @cells), "\n";
}
$table->close;
