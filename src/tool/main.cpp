// vantrell-tool: the command-line companion of the program. It works on a
// data directory without showing a window.
#include <iostream>
#include <map>

#include "engine/io.h"
#include "tool/commands.h"

namespace vt::tool {

void printUsage(bool toStderr) {
  std::ostream& out = toStderr ? std::cerr : std::cout;
  out << "usage: vantrell-tool COMMAND ARGUMENTS\n"
         "\n"
         "  init DIR        make the empty data files of a new installation in DIR\n"
         "  demo DIR        fill a new data directory made by init with a sample business\n"
         "  reindex DIR     rebuild every index file of the tables in DIR\n"
         "  check DIR       check the tables, indexes and memo files in DIR\n"
         "  backup DIR --to DEST\n"
         "                  copy the tables and memo files of DIR into the directory DEST\n"
         "  restore DIR --from SRC\n"
         "                  copy them back from the backup in SRC, then rebuild the indexes\n"
         "  export DIR TABLE [--tag TAG] --out FILE.csv\n"
         "                  write TABLE as CSV, in the order of TAG or in record order;\n"
         "                  FILE.csv \"-\" writes to standard output\n"
         "  mailmerge --data DIR --groups N,N --out FILE\n"
         "                  write the mail-merge file of the customers of those groups\n"
#ifdef VT_TOOL_LABELS
         "  labels --data DIR --stock NAME --groups N,N [--start-row R --start-col C]\n"
         "         --out FILE.pdf\n"
         "                  write the address labels of the customers of those groups\n"
         "                  on label stock NAME as a PDF file\n"
#endif
#ifdef VT_TOOL_REPORTS
         "  report NAME --data DIR --format txt|tsv|pdf|csv|png --out FILE CHOICES\n"
         "                  write customer documents as the report window exports them;\n"
         "                  dates are YYYY-MM-DD:\n"
         "                    invoices --from D --to D | invoices --invoices N,N\n"
         "                    bills --from D --to D    | bills --invoices N,N\n"
         "                    statements --from D --to D | statements --customers N,N\n"
         "                    sales-summary --from D --to D | tax-summary --from D --to D\n"
         "                    product-summary --from D --to D\n"
         "                    product-buyers --product ID --from D --to D\n"
         "                    income-summary --from D --to D | receivables\n"
         "                    sales-chart --from D --to D (also --format png: the chart)\n"
         "                    purchasing --from D --to D | cost-of-goods --from D --to D\n"
         "                    product-listing | stock-on-hand | inventory --as-of D\n"
         "                    sent-mail (every message sent by e-mail)\n"
         "                    profile --customers N,N | profile --groups N,N\n"
         "                    aging --as-of D [--detail]\n"
         "                  invoices, bills and statements with --format pdf --each DIR\n"
         "                  in place of --out: one file per document in DIR;\n"
         "                  with --email in place of --out: each sent to its customer\n"
         "                  by e-mail, its PDF file attached (with --email-to-files DIR:\n"
         "                  each message written to DIR as an .eml file)\n"
         "  mail-settings DIR [--host H] [--port P] [--security none|starttls|tls]\n"
         "         [--user U] [--from \"Name <address>\"] [--cc-self yes|no]\n"
         "                  show or set the e-mail settings of DIR\n"
         "  mail-test DIR --to ADDRESS\n"
         "                  send a test message with the e-mail settings of DIR\n"
#endif
         "\n"
         "Exit status: 0 done, 1 failed (or problems found by check), 2 bad arguments.\n";
}

int usageError(const std::string& problem) {
  std::cerr << "vantrell-tool: " << problem << "\n\n";
  printUsage(true);
  return kExitUsage;
}

}  // namespace vt::tool

int main(int argc, char** argv) {
  using namespace vt::tool;
  vt::engine::writePastSizeLimitFails();
  if (argc < 2) return usageError("no command given");
  const std::string command = argv[1];
  if (command == "-h" || command == "--help" || command == "help") {
    printUsage(false);
    return kExitOk;
  }
  const std::map<std::string, int (*)(const Args&)> commands = {
      {"init", runInit},          {"demo", runDemo},
      {"reindex", runReindex},    {"check", runCheck},
      {"export", runExport},      {"mailmerge", runMailMerge},
      {"backup", runBackup},      {"restore", runRestore},
#ifdef VT_TOOL_REPORTS
      {"report", runReport},      {"mail-settings", runMailSettings},
      {"mail-test", runMailTest},
#endif
#ifdef VT_TOOL_LABELS
      {"labels", runLabels},
#endif
  };
  const auto it = commands.find(command);
  if (it == commands.end()) return usageError("unknown command \"" + command + "\"");
  return it->second(Args(argv + 2, argv + argc));
}
