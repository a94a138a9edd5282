#include "mail/mail_message.h"

#include <gmime/gmime.h>

#include <mutex>

#include "mail/mail_address.h"

namespace vt::mail {

namespace {

void InitGMime() {
  static std::once_flag once;
  std::call_once(once, [] { g_mime_init(); });
}

// Owns a GObject reference.
template <typename T>
struct Ref {
  T* p;
  explicit Ref(T* object) : p(object) {}
  ~Ref() {
    if (p) g_object_unref(p);
  }
  Ref(const Ref&) = delete;
  Ref& operator=(const Ref&) = delete;
};

GMimeObject* TextPart(const std::string& body) {
  GMimeTextPart* text = g_mime_text_part_new_with_subtype("plain");
  g_mime_text_part_set_text(text, body.c_str());
  return GMIME_OBJECT(text);
}

GMimeObject* AttachmentPart(const Attachment& attachment) {
  GMimePart* part = g_mime_part_new_with_type(attachment.type.c_str(), attachment.subtype.c_str());
  g_mime_part_set_filename(part, attachment.fileName.c_str());
  Ref<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(
      reinterpret_cast<const char*>(attachment.bytes.data()), attachment.bytes.size()));
  Ref<GMimeDataWrapper> content(
      g_mime_data_wrapper_new_with_stream(stream.p, GMIME_CONTENT_ENCODING_DEFAULT));
  g_mime_part_set_content(part, content.p);
  g_mime_part_set_content_encoding(part, GMIME_CONTENT_ENCODING_BASE64);
  return GMIME_OBJECT(part);
}

// The domain of the sender's address, for the Message-ID.
std::string DomainOf(const std::string& address) {
  const size_t at = address.find('@');
  return at == std::string::npos ? "localhost" : address.substr(at + 1);
}

}  // namespace

std::string CheckMessage(const MailMessage& m) {
  if (!IsMailAddress(m.fromAddress)) return "The sender's address is not an e-mail address.";
  if (!IsMailAddress(m.toAddress)) return "\"" + m.toAddress + "\" is not an e-mail address.";
  if (!m.ccAddress.empty() && !IsMailAddress(m.ccAddress))
    return "\"" + m.ccAddress + "\" is not an e-mail address.";
  if (HasLineBreak(m.fromName) || HasLineBreak(m.toName))
    return "A name may not hold a line break.";
  if (HasLineBreak(m.subject)) return "The subject may not hold a line break.";
  return {};
}

std::string MessageBytes(const MailMessage& m, std::string& messageId) {
  InitGMime();
  Ref<GMimeMessage> message(g_mime_message_new(TRUE));
  g_mime_message_add_mailbox(message.p, GMIME_ADDRESS_TYPE_FROM, m.fromName.c_str(),
                             m.fromAddress.c_str());
  g_mime_message_add_mailbox(message.p, GMIME_ADDRESS_TYPE_TO, m.toName.c_str(),
                             m.toAddress.c_str());
  if (!m.ccAddress.empty()) {
    g_mime_message_add_mailbox(message.p, GMIME_ADDRESS_TYPE_CC, "", m.ccAddress.c_str());
  }
  g_mime_message_set_subject(message.p, m.subject.c_str(), "utf-8");
  GDateTime* now = g_date_time_new_now_local();
  g_mime_message_set_date(message.p, now);
  g_date_time_unref(now);
  char* id = g_mime_utils_generate_message_id(DomainOf(m.fromAddress).c_str());
  messageId = id;
  g_free(id);
  g_mime_message_set_message_id(message.p, messageId.c_str());
  if (m.attachment) {
    Ref<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
    Ref<GMimeObject> text(TextPart(m.body));
    Ref<GMimeObject> file(AttachmentPart(*m.attachment));
    g_mime_multipart_add(mixed.p, text.p);
    g_mime_multipart_add(mixed.p, file.p);
    g_mime_message_set_mime_part(message.p, GMIME_OBJECT(mixed.p));
  } else {
    Ref<GMimeObject> text(TextPart(m.body));
    g_mime_message_set_mime_part(message.p, text.p);
  }
  // Text that is not plain ASCII travels quoted-printable, lines kept short.
  g_mime_object_encode(GMIME_OBJECT(message.p), GMIME_ENCODING_CONSTRAINT_7BIT);
  GMimeFormatOptions* options = g_mime_format_options_clone(nullptr);
  g_mime_format_options_set_newline_format(options, GMIME_NEWLINE_FORMAT_DOS);
  Ref<GMimeStream> out(g_mime_stream_mem_new());
  g_mime_object_write_to_stream(GMIME_OBJECT(message.p), options, out.p);
  g_mime_format_options_free(options);
  GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(out.p));
  return std::string(reinterpret_cast<const char*>(bytes->data), bytes->len);
}

}  // namespace vt::mail
