# Walks a Clipper .ntx index with Perl XBase::Index and prints its entries in
# index order, one "hexkey<TAB>recno" line each.
#
# Usage: interop_xbase_ntx_walk.pl INDEX.ntx
#
# The key type is given as character: every key of our tables is text.
use strict;
use warnings;
use XBase::Index;

@ARGV == 1 or die "usage: interop_xbase_ntx_walk.pl INDEX.ntx\n";
my $index = XBase::Index->new($ARGV[0], type => 'C')
  or die "cannot open $ARGV[0]: " . XBase::Index->errstr;
$index->prepare_select or die "cannot walk $ARGV[0]: " . $index->errstr;
while (my ($key, $recno) = $index->fetch) {
  print unpack('H*', $key), "\t$recno\n";
}
my $error = $index->errstr;
die "walking $ARGV[0] failed: $error" if defined $error && $error ne '';
