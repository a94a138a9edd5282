// Sending through a real SMTP server: what arrives (envelope, encoded
// headers, UTF-8 body, the attachment's bytes), STARTTLS with a login, a
// refused login and recipient, a server that is down; messages and settings
// refused before anything is sent.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "engine/io.h"
#include "mail/mail_fields.h"
#include "mail/mail_message.h"
#include "mail/mail_settings.h"
#include "mail/sent_mail_log.h"
#include "mail/smtp_session.h"
#include "smtp_test_server.h"

namespace vt::mail {
namespace {

using testing::ServerOptions;
using testing::SmtpTestServer;

MailMessage Sample(const std::string& to = "kunde@example.com") {
  MailMessage m;
  m.fromName =
      "B\xC3\xA4"
      "ckerei M\xC3\xBCller";
  m.fromAddress = "office@example.com";
  m.toName = "J\xC3\xBCrgen Gro\xC3\x9F";
  m.toAddress = to;
  m.subject = "Rechnung 1065 \xE2\x80\x93 f\xC3\xA4llig";
  m.body =
      "Guten Tag,\nim Anhang die Rechnung \xC3\xBC"
      "ber 12,50 \xE2\x82\xAC.\n";
  std::string pdf = "%PDF-1.4\n";
  for (int i = 0; i < 3000; ++i) pdf += static_cast<char>(i * 7 % 256);
  m.attachment = Attachment{"invoice-001065.pdf", pdf};
  return m;
}

// What Python's e-mail parser reads from `bytes`: the decoded subject, To
// name, body and the attachment's name and bytes in hex, one a line.
std::string ReadByPython(const std::string& bytes) {
  const std::string path = std::filesystem::temp_directory_path() / "vt-mail-read.eml";
  std::ofstream(path, std::ios::binary) << bytes;
  const std::string command =
      "/usr/bin/python3 -c 'import email,email.policy,sys\n"
      "m=email.message_from_binary_file(open(sys.argv[1],\"rb\"),policy=email.policy.default)\n"
      "print(m[\"subject\"]); print(m[\"to\"].addresses[0].display_name)\n"
      "print(m.get_body().get_content().replace(\"\\n\",\"|\"))\n"
      "a=next(m.iter_attachments()); print(a.get_filename()); print(a.get_content().hex())' " +
      path;
  std::string out;
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  for (int c; pipe && (c = std::fgetc(pipe.get())) != EOF;) out += static_cast<char>(c);
  return out;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (const unsigned char c : bytes) out += {digits[c >> 4], digits[c & 15]};
  return out;
}

MailSettings ServerSettings(const SmtpTestServer& server, Security security) {
  MailSettings s = DefaultMailSettings();
  s.host = "127.0.0.1";
  s.port = server.port();
  s.security = security;
  s.fromAddress = "office@example.com";
  return s;
}

TEST(SmtpSession, SendsTheMessageAsWrittenWithReadableNamesAndTheAttachmentWhole) {
  SmtpTestServer server;
  SmtpSession session(ServerSettings(server, Security::None), "");
  const MailMessage message = Sample();
  std::string id;
  const std::string bytes = MessageBytes(message, id);
  const SendResult result = session.Send("office@example.com", {"kunde@example.com"}, bytes);
  ASSERT_TRUE(result.sent) << result.reply;
  EXPECT_NE(result.reply.find("queued"), std::string::npos) << result.reply;
  const auto received = server.received();
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].from, "office@example.com");
  EXPECT_EQ(received[0].to, std::vector<std::string>{"kunde@example.com"});
  EXPECT_NE(received[0].bytes.find("Message-Id: <" + id + ">"), std::string::npos);
  EXPECT_EQ(ReadByPython(received[0].bytes), message.subject + "\n" + message.toName + "\n" +
                                                 "Guten Tag,|im Anhang die Rechnung \xC3\xBC"
                                                 "ber 12,50 \xE2\x82\xAC.|\n" +
                                                 "invoice-001065.pdf\n" +
                                                 Hex(message.attachment->bytes) + "\n");
}

TEST(SmtpSession, StartTlsWithALoginAndTheServersWordsWhenRefused) {
  SmtpTestServer server({true, "shop", "s3cret", {"nobody@example.com"}});
  ASSERT_EQ(setenv("VANTRELL_SMTP_CA_FILE", server.certificate().c_str(), 1), 0);
  MailSettings settings = ServerSettings(server, Security::StartTls);
  settings.user = "shop";
  std::string id;
  const std::string bytes = MessageBytes(Sample(), id);
  {
    SmtpSession session(settings, "s3cret");
    // The refused recipient fails alone; the session goes on.
    const SendResult refused = session.Send("office@example.com", {"nobody@example.com"}, bytes);
    EXPECT_FALSE(refused.sent);
    EXPECT_NE(refused.reply.find("550 5.1.1"), std::string::npos) << refused.reply;
    EXPECT_TRUE(session.Send("office@example.com", {"kunde@example.com"}, bytes).sent);
  }
  SmtpSession wrong(settings, "guess");
  const SendResult login = wrong.Send("office@example.com", {"kunde@example.com"}, bytes);
  EXPECT_FALSE(login.sent);
  EXPECT_NE(login.reply.find("535"), std::string::npos) << login.reply;
  unsetenv("VANTRELL_SMTP_CA_FILE");
  // Without the test's certificate trusted, the server's is refused.
  SmtpSession untrusted(settings, "s3cret");
  EXPECT_FALSE(untrusted.Send("office@example.com", {"kunde@example.com"}, bytes).sent);
  EXPECT_EQ(server.received().size(), 1u);
}

TEST(SmtpSession, AServerThatIsDownIsReported) {
  MailSettings settings = DefaultMailSettings();
  settings.host = "127.0.0.1";
  settings.port = testing::ClosedPort();
  settings.security = Security::None;
  SmtpSession session(settings, "");
  std::string id;
  const SendResult result =
      session.Send("office@example.com", {"kunde@example.com"}, MessageBytes(Sample(), id));
  EXPECT_FALSE(result.sent);
  EXPECT_NE(result.reply.find("onnect"), std::string::npos) << result.reply;
}

TEST(MailMessage, RefusedBeforeSendingWhenAHeaderWouldChange) {
  struct Case {
    std::function<void(MailMessage&)> change;
    std::string why;
  } cases[] = {
      {[](MailMessage& m) { m.toAddress = "kunde example.com"; }, "is not an e-mail address"},
      {[](MailMessage& m) { m.toAddress = "a@b.com>\r\nBcc: x@y.com"; }, "is not an e-mail"},
      {[](MailMessage& m) { m.subject = "Hi\r\nBcc: x@y.com"; }, "subject may not hold"},
      {[](MailMessage& m) { m.toName = "Jo\nBcc: x@y.com"; }, "name may not hold"},
      {[](MailMessage& m) { m.ccAddress = "me@"; }, "is not an e-mail address"},
  };
  EXPECT_EQ(CheckMessage(Sample()), "");
  for (const Case& c : cases) {
    MailMessage m = Sample();
    c.change(m);
    EXPECT_NE(CheckMessage(m).find(c.why), std::string::npos) << CheckMessage(m);
  }
}

TEST(MailSettings, KeptInTheDataDirectoryAndBadLinesNamed) {
  const std::string dir = std::filesystem::temp_directory_path() / "vt-mail-settings";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  engine::FileSystem& fs = engine::realFileSystem();
  MailSettings s = DefaultMailSettings();
  s.host = "mail.example.com";
  s.port = 465;
  s.security = Security::Tls;
  s.ccSelf = true;
  s.textsOf(DocumentKind::Statement).body = "Line one\nC:\\path\\n stays";
  ASSERT_EQ(SaveMailSettings(fs, dir, s), "");
  MailSettings read;
  ASSERT_EQ(LoadMailSettings(fs, dir, read), "");
  EXPECT_EQ(read.host, s.host);
  EXPECT_EQ(read.port, 465);
  EXPECT_EQ(read.security, Security::Tls);
  EXPECT_TRUE(read.ccSelf);
  EXPECT_EQ(read.textsOf(DocumentKind::Statement).body, s.textsOf(DocumentKind::Statement).body);
  for (const auto& [line, why] : {std::pair{"port=99999", "line 2: port must be"},
                                  {"security=ssl", "line 2: security must be"},
                                  {"colour=blue", "line 2: not a setting"}}) {
    std::ofstream(dir + "/VTMAIL.INI") << "host=x\n" << line << "\n";
    EXPECT_NE(LoadMailSettings(fs, dir, read).find(why), std::string::npos) << line;
  }
  std::filesystem::remove_all(dir);
}

TEST(MailFields, FilledWhereNamedAndOtherBracesKept) {
  const MailFields f{"Acme", "Ann Lee", "1065", "4/17/26", "12.50", "2.50"};
  EXPECT_EQ(FillFields("{customer}: {number} of {date}, {total} ({due} due) {x} - {company}", f),
            "Ann Lee: 1065 of 4/17/26, 12.50 (2.50 due) {x} - Acme");
}

}  // namespace
}  // namespace vt::mail
