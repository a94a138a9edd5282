#include "smtp_test_server.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vt::mail::testing {

namespace {

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string SourceDir() {
  const char* dir = std::getenv("VT_SOURCE_DIR");
  return dir ? dir : ".";
}

}  // namespace

SmtpTestServer::SmtpTestServer(const ServerOptions& options) {
  char dir[] = "/tmp/vt-smtp-XXXXXX";
  EXPECT_NE(mkdtemp(dir), nullptr);
  dir_ = dir;
  std::vector<std::string> args = {"/usr/bin/python3", SourceDir() + "/tests/mail/smtp_server.py",
                                   dir_ + "/"};
  if (options.starttls) {
    cert_ = dir_ + "/cert.pem";
    const std::string key = dir_ + "/key.pem";
    const std::string make =
        "openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=localhost -addext "
        "subjectAltName=IP:127.0.0.1,DNS:localhost -keyout " +
        key + " -out " + cert_ + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(make.c_str()), 0) << "openssl could not make a certificate";
    args.insert(args.end(), {"--starttls", cert_, key});
  }
  if (!options.user.empty()) args.insert(args.end(), {"--login", options.user, options.password});
  for (const std::string& address : options.refused) args.insert(args.end(), {"--refuse", address});
  int in[2], out[2];
  EXPECT_EQ(pipe(in), 0);
  EXPECT_EQ(pipe(out), 0);
  pid_ = fork();
  if (pid_ == 0) {
    dup2(in[0], 0);
    dup2(out[1], 1);
    // The server's own log of refused handshakes stays out of the test's.
    const std::string log = dir_ + "/server.log";
    if (FILE* f = std::fopen(log.c_str(), "w")) dup2(fileno(f), 2);
    close(in[1]);
    close(out[0]);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  toServer_ = in[1];
  std::string line;
  char c;
  while (read(out[0], &c, 1) == 1 && c != '\n') line += c;
  close(out[0]);
  port_ = line.empty() ? 0 : std::atoi(line.c_str());
  EXPECT_GT(port_, 0) << "the SMTP test server did not start (python3-aiosmtpd installed?)";
}

SmtpTestServer::~SmtpTestServer() {
  if (toServer_ >= 0) close(toServer_);
  if (pid_ > 0) waitpid(pid_, nullptr, 0);
  std::error_code ignored;
  std::filesystem::remove_all(dir_, ignored);
}

std::vector<Received> SmtpTestServer::received() const {
  std::vector<Received> out;
  for (int n = 1; std::filesystem::exists(dir_ + "/" + std::to_string(n) + ".eml"); ++n) {
    Received mail;
    std::istringstream envelope(ReadFile(dir_ + "/" + std::to_string(n) + ".env"));
    std::getline(envelope, mail.from);
    for (std::string to; std::getline(envelope, to);) mail.to.push_back(to);
    mail.bytes = ReadFile(dir_ + "/" + std::to_string(n) + ".eml");
    out.push_back(std::move(mail));
  }
  return out;
}

int ClosedPort() {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(s, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
  close(s);
  return ntohs(address.sin_port);
}

}  // namespace vt::mail::testing
