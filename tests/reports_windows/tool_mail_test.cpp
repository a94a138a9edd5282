// `vantrell-tool report ... --email` against a real SMTP server with STARTTLS
// and a login: each customer's statement goes to its address with the very
// PDF file --each writes attached; a refused recipient and a server that is
// down are reported per document with a failing exit; every message is
// recorded; --email-to-files writes the messages instead.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "demo_test_support.h"
#include "smtp_test_server.h"

namespace vt::mail {
namespace {

using data::testing::runTool;

std::string FileText(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

// "same" when the attachment of message file `eml` holds the bytes of
// file `pdf`, as Python's e-mail parser reads it.
std::string AttachmentAgainst(const std::string& eml, const std::string& pdf) {
  const std::string command =
      "/usr/bin/python3 -c 'import email,email.policy,sys\n"
      "m=email.message_from_binary_file(open(sys.argv[1],\"rb\"),policy=email.policy.default)\n"
      "a=next(m.iter_attachments())\n"
      "print(a.get_filename(), \"same\" if a.get_content()==open(sys.argv[2],\"rb\").read() "
      "else \"differs\")' " +
      eml + " " + pdf;
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  for (int c; pipe && (c = std::fgetc(pipe.get())) != EOF;) out += static_cast<char>(c);
  return out;
}

class ToolMail : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    data::testing::makeDemoDir(path());
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string path() { return dir_->path().toStdString() + "/data"; }
  static std::string scratch(const std::string& name) {
    return dir_->path().toStdString() + "/" + name;
  }

  void useServer(int port, const std::string& security) {
    const auto run = runTool({"mail-settings", path(), "--host", "127.0.0.1", "--port",
                              std::to_string(port), "--security", security, "--user", "shop",
                              "--from", "Lakeside Office <office@lakeside.example>"});
    ASSERT_EQ(run.code, 0) << run.err;
  }

  static QTemporaryDir* dir_;
};

QTemporaryDir* ToolMail::dir_ = nullptr;

TEST_F(ToolMail, SendsEachStatementWithItsPdfAndReportsTheRefusedOne) {
  testing::SmtpTestServer server({true, "shop", "s3cret", {"gfischer@example.net"}});
  useServer(server.port(), "starttls");
  setenv("VANTRELL_SMTP_PASSWORD", "s3cret", 1);
  setenv("VANTRELL_SMTP_CA_FILE", server.certificate().c_str(), 1);
  const std::string each = scratch("each");
  const auto run = runTool({"report", "statements", "--data", path(), "--customers", "1,2,3",
                            "--each", each, "--email"});
  unsetenv("VANTRELL_SMTP_PASSWORD");
  unsetenv("VANTRELL_SMTP_CA_FILE");
  EXPECT_EQ(run.code, 1) << run.err;
  EXPECT_NE(run.out.find("statement-000001  thomas.becker@example.com  sent\n"), std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("statement-000002  gfischer@example.net  not sent: 550 5.1.1"),
            std::string::npos)
      << run.out;
  const auto received = server.received();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[1].to, std::vector<std::string>{"kmitchell@example.org"});
  const std::string eml = scratch("1.eml");
  std::ofstream(eml, std::ios::binary) << received[0].bytes;
  EXPECT_EQ(AttachmentAgainst(eml, each + "/statement-000001.pdf"), "statement-000001.pdf same\n");
  const std::string log = FileText(path() + "/VTMAIL.LOG");
  EXPECT_NE(log.find("\tstatement-000002\tgfischer@example.net\trefused\t550 5.1.1"),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("\tstatement-000003\tkmitchell@example.org\tsent\t250"), std::string::npos);
}

TEST_F(ToolMail, AServerThatIsDownSendsNothingAndSaysWhy) {
  useServer(testing::ClosedPort(), "none");
  setenv("VANTRELL_SMTP_PASSWORD", "s3cret", 1);
  const auto run = runTool({"report", "bills", "--data", path(), "--invoices", "1001", "--email"});
  unsetenv("VANTRELL_SMTP_PASSWORD");
  EXPECT_EQ(run.code, 1);
  EXPECT_NE(run.out.find("bill-001001  "), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("not sent: "), std::string::npos) << run.out;
}

TEST_F(ToolMail, EmailToFilesWritesEachMessageAndRecordsNothing) {
  useServer(testing::ClosedPort(), "none");
  const std::string files = scratch("eml");
  const std::string before = FileText(path() + "/VTMAIL.LOG");
  const auto run = runTool({"report", "invoices", "--data", path(), "--invoices", "1001,1002",
                            "--email-to-files", files});
  EXPECT_EQ(run.code, 0) << run.out << run.err;
  for (const char* name : {"invoice-001001.eml", "invoice-001002.eml"}) {
    const std::string message = FileText(files + "/" + name);
    EXPECT_NE(message.find("Subject: Invoice 100"), std::string::npos) << name;
    EXPECT_NE(message.find("filename=invoice-00100"), std::string::npos) << name;
  }
  EXPECT_EQ(FileText(path() + "/VTMAIL.LOG"), before);
}

}  // namespace
}  // namespace vt::mail
