// A real SMTP server (tests/mail/smtp_server.py, on aiosmtpd) for the
// length of a test: plain, or with STARTTLS on a certificate made for the
// test and a login; some recipients refused. What it received is read back
// message by message.
#pragma once

#include <string>
#include <vector>

namespace vt::mail::testing {

struct ServerOptions {
  bool starttls = false;
  std::string user, password;  // a login required when set
  std::vector<std::string> refused;
};

struct Received {
  std::string from;
  std::vector<std::string> to;
  std::string bytes;
};

class SmtpTestServer {
 public:
  explicit SmtpTestServer(const ServerOptions& options = {});
  ~SmtpTestServer();
  SmtpTestServer(const SmtpTestServer&) = delete;
  SmtpTestServer& operator=(const SmtpTestServer&) = delete;

  int port() const { return port_; }
  // The certificate the server shows (STARTTLS), to trust in its place.
  const std::string& certificate() const { return cert_; }
  // Every message received so far, in order.
  std::vector<Received> received() const;

 private:
  std::string dir_, cert_;
  int port_ = 0;
  int toServer_ = -1;
  int pid_ = -1;
};

// A port nothing listens on.
int ClosedPort();

}  // namespace vt::mail::testing
