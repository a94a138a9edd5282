#include "mail/smtp_session.h"

#include <curl/curl.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "mail/mail_message.h"

namespace vt::mail {

namespace {

constexpr long kConnectSeconds = 20;
// A transfer slower than this for this long is given up.
constexpr long kLowSpeedBytes = 10;
constexpr long kLowSpeedSeconds = 60;

void InitCurl() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Upload {
  const std::string* bytes;
  size_t at = 0;
};

size_t ReadUpload(char* buffer, size_t size, size_t count, void* user) {
  auto* upload = static_cast<Upload*>(user);
  const size_t n = std::min(size * count, upload->bytes->size() - upload->at);
  std::memcpy(buffer, upload->bytes->data() + upload->at, n);
  upload->at += n;
  return n;
}

// The server's replies: the last, and the first that refused something
// (the reply to QUIT follows it).
struct Replies {
  std::string last;
  std::string refusal;
};

int KeepReply(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  if (type != CURLINFO_HEADER_IN) return 0;
  std::string line(data, size);
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.empty()) return 0;
  auto* replies = static_cast<Replies*>(user);
  replies->last = line;
  if ((line[0] == '4' || line[0] == '5') && replies->refusal.empty()) replies->refusal = line;
  return 0;
}

}  // namespace

struct SmtpSession::Impl {
  CURL* curl = nullptr;
  std::string url, user, password, caFile;
  Security security = Security::StartTls;
  Replies replies;
  char error[CURL_ERROR_SIZE] = {};
};

SmtpSession::SmtpSession(const MailSettings& settings, std::string password)
    : impl_(std::make_unique<Impl>()) {
  InitCurl();
  impl_->curl = curl_easy_init();
  impl_->url = std::string(settings.security == Security::Tls ? "smtps://" : "smtp://") +
               settings.host + ":" + std::to_string(settings.port);
  impl_->user = settings.user;
  impl_->password = std::move(password);
  impl_->security = settings.security;
  if (const char* ca = std::getenv("VANTRELL_SMTP_CA_FILE"); ca && *ca) impl_->caFile = ca;
}

SmtpSession::~SmtpSession() {
  if (impl_->curl) curl_easy_cleanup(impl_->curl);
}

SendResult SmtpSession::Send(const std::string& from, const std::vector<std::string>& recipients,
                             const std::string& bytes) {
  CURL* curl = impl_->curl;
  if (!curl) return {false, "The mail connection could not be set up."};
  curl_easy_reset(curl);
  impl_->replies = {};
  impl_->error[0] = '\0';
  curl_easy_setopt(curl, CURLOPT_URL, impl_->url.c_str());
  curl_easy_setopt(curl, CURLOPT_USE_SSL,
                   impl_->security == Security::None ? CURLUSESSL_NONE : CURLUSESSL_ALL);
  if (!impl_->caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, impl_->caFile.c_str());
  if (!impl_->user.empty()) {
    curl_easy_setopt(curl, CURLOPT_USERNAME, impl_->user.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, impl_->password.c_str());
  }
  const std::string sender = "<" + from + ">";
  curl_easy_setopt(curl, CURLOPT_MAIL_FROM, sender.c_str());
  curl_slist* to = nullptr;
  for (const std::string& r : recipients) to = curl_slist_append(to, ("<" + r + ">").c_str());
  curl_easy_setopt(curl, CURLOPT_MAIL_RCPT, to);
  Upload upload{&bytes};
  curl_easy_setopt(curl, CURLOPT_READFUNCTION, ReadUpload);
  curl_easy_setopt(curl, CURLOPT_READDATA, &upload);
  curl_easy_setopt(curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, kLowSpeedBytes);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kLowSpeedSeconds);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, impl_->error);
  curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, KeepReply);
  curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &impl_->replies);
  const CURLcode code = curl_easy_perform(curl);
  curl_slist_free_all(to);
  if (code == CURLE_OK) return {true, impl_->replies.last};
  // A server that refused says why in its own words; otherwise curl tells
  // what kept it from the server.
  if (!impl_->replies.refusal.empty()) return {false, impl_->replies.refusal};
  std::string why = impl_->error[0] ? impl_->error : curl_easy_strerror(code);
  return {false, why};
}

SendResult SendTestMessage(const MailSettings& settings, const std::string& password,
                           const std::string& to) {
  MailMessage message;
  message.fromName = settings.fromName;
  message.fromAddress = settings.fromAddress;
  message.toAddress = to;
  message.subject = "Test message from Vantrell & Inventory";
  message.body = "This message shows that the e-mail settings work.\n";
  std::string id;
  SmtpSession session(settings, password);
  return session.Send(settings.fromAddress, {to}, MessageBytes(message, id));
}

}  // namespace vt::mail
