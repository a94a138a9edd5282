#include "mailing/mail_password.h"

#include <qt6keychain/keychain.h>

#include <QEventLoop>
#include <filesystem>

namespace vt::mailing {

namespace {

const QString kService = QStringLiteral("Vantrell & Inventory mail");

// The data directory as an absolute path, with the login: the store's key.
QString KeyOf(const std::string& dataDir, const mail::MailSettings& settings) {
  std::error_code ignored;
  const std::string dir = std::filesystem::weakly_canonical(dataDir, ignored).string();
  return QString::fromStdString(dir + "|" + settings.user + "@" + settings.host);
}

// Runs `job` to its end.
void Finish(QKeychain::Job& job) {
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.setAutoDelete(false);
  job.start();
  loop.exec();
}

}  // namespace

bool ReadStoredPassword(const std::string& dataDir, const mail::MailSettings& settings,
                        std::string& password, std::string& error) {
  QKeychain::ReadPasswordJob job(kService);
  job.setKey(KeyOf(dataDir, settings));
  Finish(job);
  if (job.error() != QKeychain::NoError) {
    error = job.errorString().toStdString();
    return false;
  }
  password = job.textData().toStdString();
  return true;
}

bool StorePassword(const std::string& dataDir, const mail::MailSettings& settings,
                   const std::string& password, std::string& error) {
  QKeychain::WritePasswordJob job(kService);
  job.setKey(KeyOf(dataDir, settings));
  job.setTextData(QString::fromStdString(password));
  Finish(job);
  if (job.error() != QKeychain::NoError) {
    error = job.errorString().toStdString();
    return false;
  }
  return true;
}

}  // namespace vt::mailing
