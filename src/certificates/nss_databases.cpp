// SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "certificates/nss_databases.h"

#include <QDir>
#include <QFileInfo>
#include <map>
#include <mutex>

// NSS names a structure member `slots`, which Qt's headers define as a keyword.
#pragma push_macro("slots")
#undef slots
#include <cert.h>
#include <cryptohi.h>
#include <keyhi.h>
#include <nss.h>
#include <pk11pub.h>
#include <prerror.h>
#include <secerr.h>
extern "C" {
#include <utilpars.h>  // declared without C linkage
}
#pragma pop_macro("slots")

#include "certificates/certificate_summary.h"
#include "seams/failure.h"

namespace yz {

namespace {

// A wrong password from a source that cannot change would be tried forever: NSS asks again
// for as long as the callback answers.
constexpr int kMostPasswordTries = 3;

QString NssError() {
  const PRErrorCode code = PR_GetError();
  const char* text = PORT_ErrorToString(code);
  return text ? QString::fromUtf8(text) : QStringLiteral("NSS 错误 %1").arg(code);
}

QString CanonicalFolder(const QString& folder) {
  const QString canonical = QFileInfo(folder).canonicalFilePath();
  return canonical.isEmpty() ? QDir::cleanPath(folder) : canonical;
}

// The module's way of naming a database: its kind before the folder.
QByteArray DatabaseLocation(const QString& folder) {
  const QDir dir(folder);
  if (dir.exists(QStringLiteral("cert9.db"))) return "sql:" + QFile::encodeName(folder);
  if (dir.exists(QStringLiteral("cert8.db"))) return "dbm:" + QFile::encodeName(folder);
  return {};
}

// The one owner of NSS in this process: the databases opened, by folder, and the prompt.
class NssProcess {
 public:
  static NssProcess& Instance() {
    static NssProcess* process = new NssProcess;  // kept to the end: NSS outlives every caller
    return *process;
  }

  PK11SlotInfo* Open(const QString& folder) {
    const QString key = CanonicalFolder(folder);
    std::lock_guard lock(mutex_);
    if (auto found = slots_.find(key); found != slots_.end()) return found->second;
    const QByteArray location = DatabaseLocation(key);
    if (location.isEmpty())
      throw Failure(QStringLiteral("“%1”里没有 NSS 证书数据库（cert9.db）").arg(folder));
    PK11SlotInfo* slot = nullptr;
    if (!NSS_IsInitialized()) {
      if (NSS_Initialize(location.constData(), "", "", SECMOD_DB, NSS_INIT_READONLY) != SECSuccess)
        throw Failure(QStringLiteral("无法打开 NSS 证书数据库：%1（%2）").arg(folder, NssError()));
      PK11_SetPasswordFunc(&NssProcess::AskPassword);
      slot = PK11_GetInternalKeySlot();
    } else {
      PK11_SetPasswordFunc(&NssProcess::AskPassword);
      char* quoted = NSSUTIL_Quote(location.constData(), '\'');
      const QByteArray description = "yanzhou-sign " + QByteArray::number(slots_.size() + 1);
      const QByteArray module = QByteArray("configdir=") + quoted + " tokenDescription='" + description +
                                "' flags=readOnly";
      PORT_Free(quoted);
      slot = SECMOD_OpenUserDB(module.constData());
      if (slot == nullptr)
        throw Failure(QStringLiteral("无法打开 NSS 证书数据库：%1（%2）").arg(folder, NssError()));
    }
    slots_[key] = slot;
    return slot;
  }

  bool AnyOpen() {
    std::lock_guard lock(mutex_);
    return NSS_IsInitialized() && !slots_.empty();
  }

  void SetPrompt(NssPasswordPrompt prompt) {
    std::lock_guard lock(promptMutex_);
    prompt_ = std::move(prompt);
  }

 private:
  static char* AskPassword(PK11SlotInfo* slot, PRBool retry, void*) {
    NssProcess& self = Instance();
    std::lock_guard lock(self.promptMutex_);
    self.tries_ = retry ? self.tries_ + 1 : 1;
    if (!self.prompt_ || self.tries_ > kMostPasswordTries) return nullptr;
    const std::optional<QString> answer =
        self.prompt_(QString::fromUtf8(PK11_GetTokenName(slot)), retry == PR_TRUE);
    return answer ? PORT_Strdup(answer->toUtf8().constData()) : nullptr;
  }

  std::mutex mutex_;
  std::map<QString, PK11SlotInfo*> slots_;
  std::mutex promptMutex_;
  NssPasswordPrompt prompt_;
  int tries_ = 0;
};

struct CertificateListDeleter {
  void operator()(CERTCertList* list) const { CERT_DestroyCertList(list); }
};
using CertificateList = std::unique_ptr<CERTCertList, CertificateListDeleter>;
struct CertificateDeleter {
  void operator()(CERTCertificate* certificate) const { CERT_DestroyCertificate(certificate); }
};
using NssCertificateRef = std::unique_ptr<CERTCertificate, CertificateDeleter>;
struct PrivateKeyDeleter {
  void operator()(SECKEYPrivateKey* key) const { SECKEY_DestroyPrivateKey(key); }
};
using PrivateKey = std::unique_ptr<SECKEYPrivateKey, PrivateKeyDeleter>;

QByteArray ItemBytes(const SECItem& item) {
  return QByteArray(reinterpret_cast<const char*>(item.data), int(item.len));
}

// A nickname without the "token:" its database's name puts before it outside the first one.
QString PlainNickname(PK11SlotInfo* slot, const CERTCertificate* certificate) {
  QString nickname = QString::fromUtf8(certificate->nickname ? certificate->nickname : "");
  const QString prefix = QString::fromUtf8(PK11_GetTokenName(slot)) + QLatin1Char(':');
  if (nickname.startsWith(prefix)) nickname.remove(0, prefix.size());
  return nickname;
}

QString Source(const QString& folder, const QString& nickname) {
  return QStringLiteral("NSS：%1（%2）").arg(folder, nickname);
}

void LogIn(PK11SlotInfo* slot, const QString& folder) {
  if (PK11_NeedLogin(slot) && !PK11_IsLoggedIn(slot, nullptr) &&
      PK11_Authenticate(slot, PR_TRUE, nullptr) != SECSuccess)
    throw Failure(QStringLiteral("NSS 证书数据库的密码不对，或没有输入密码：%1").arg(folder));
}

class NssSigner : public Signer {
 public:
  NssSigner(NssCertificateRef certificate, QString source)
      : certificate_(std::move(certificate)), source_(std::move(source)) {
    // The chain as far as the databases know it, the root included for the reader's trust.
    CERTCertificateList* chain = CERT_CertChainFromCert(certificate_.get(), certUsageEmailSigner, PR_TRUE);
    if (chain != nullptr) {
      for (int i = 0; i < chain->len; ++i) chain_.push_back(ItemBytes(chain->certs[i]));
      CERT_DestroyCertificateList(chain);
    }
    if (chain_.empty()) chain_.push_back(ItemBytes(certificate_->derCert));
  }
  CertificateSummary Summary() const override { return SummarizeCertificateDer(chain_.front(), source_); }
  std::vector<QByteArray> ChainDer() const override { return chain_; }
  QByteArray SignSha256(const QByteArray& data) const override {
    const PrivateKey key(PK11_FindKeyByAnyCert(certificate_.get(), nullptr));
    if (!key)
      throw Failure(QStringLiteral("NSS 证书数据库里找不到这张证书的私钥，或数据库密码不对：%1").arg(source_));
    SECOidTag algorithm = SEC_OID_UNKNOWN;
    switch (SECKEY_GetPrivateKeyType(key.get())) {
      case rsaKey: algorithm = SEC_OID_PKCS1_SHA256_WITH_RSA_ENCRYPTION; break;
      case ecKey: algorithm = SEC_OID_ANSIX962_ECDSA_SHA256_SIGNATURE; break;
      default: throw Failure(QStringLiteral("证书的密钥类型不能用于签名：只支持 RSA 和 ECDSA（%1）").arg(source_));
    }
    // SEC_SignData hashes, wraps an RSA digest in its DigestInfo and DER-encodes an ECDSA
    // value, which the token itself returns as the bare r and s.
    SECItem result{};
    if (SEC_SignData(&result, reinterpret_cast<const unsigned char*>(data.constData()), int(data.size()),
                     key.get(), algorithm) != SECSuccess)
      throw Failure(QStringLiteral("NSS 无法用这张证书签名：%1（%2）").arg(source_, NssError()));
    QByteArray signature = ItemBytes(result);
    SECITEM_FreeItem(&result, PR_FALSE);
    return signature;
  }

 private:
  NssCertificateRef certificate_;
  std::vector<QByteArray> chain_;
  QString source_;
};

}  // namespace

void SetNssPasswordPrompt(NssPasswordPrompt prompt) { NssProcess::Instance().SetPrompt(std::move(prompt)); }

QStringList FindNssDatabases() {
  QStringList found;
  const QDir home = QDir::home();
  const auto add = [&](const QString& folder) {
    if (!DatabaseLocation(folder).isEmpty() && !found.contains(folder)) found << folder;
  };
  add(home.filePath(QStringLiteral(".pki/nssdb")));
  for (const QString& programs : {QStringLiteral(".mozilla/firefox"), QStringLiteral("snap/firefox/common/.mozilla/firefox"),
                                  QStringLiteral(".thunderbird")}) {
    const QDir profiles(home.filePath(programs));
    const QStringList names = profiles.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names)
      if (name.contains(QLatin1String(".default"))) add(profiles.filePath(name));
    for (const QString& name : names) add(profiles.filePath(name));
  }
  return found;
}

void OpenNssDatabase(const QString& folder) { NssProcess::Instance().Open(folder); }

std::vector<NssCertificate> ListNssSigningCertificates(const QString& folder) {
  PK11SlotInfo* slot = NssProcess::Instance().Open(folder);
  LogIn(slot, folder);
  std::vector<NssCertificate> listed;
  const CertificateList list(PK11_ListCertsInSlot(slot));
  if (!list) return listed;
  for (CERTCertListNode* node = CERT_LIST_HEAD(list.get()); !CERT_LIST_END(node, list.get());
       node = CERT_LIST_NEXT(node)) {
    const PrivateKey key(PK11_FindPrivateKeyFromCert(slot, node->cert, nullptr));
    if (!key) continue;
    NssCertificate certificate;
    certificate.database = folder;
    certificate.nickname = PlainNickname(slot, node->cert);
    certificate.summary = SummarizeCertificateDer(ItemBytes(node->cert->derCert),
                                                  Source(folder, certificate.nickname));
    listed.push_back(std::move(certificate));
  }
  return listed;
}

std::unique_ptr<Signer> OpenNssSigner(const QString& folder, const QString& nickname) {
  PK11SlotInfo* slot = NssProcess::Instance().Open(folder);
  LogIn(slot, folder);
  const CertificateList list(PK11_ListCertsInSlot(slot));
  for (CERTCertListNode* node = list ? CERT_LIST_HEAD(list.get()) : nullptr;
       node != nullptr && !CERT_LIST_END(node, list.get()); node = CERT_LIST_NEXT(node)) {
    if (PlainNickname(slot, node->cert) != nickname) continue;
    if (!PrivateKey(PK11_FindPrivateKeyFromCert(slot, node->cert, nullptr))) continue;
    return std::make_unique<NssSigner>(NssCertificateRef(CERT_DupCertificate(node->cert)), Source(folder, nickname));
  }
  throw Failure(QStringLiteral("NSS 证书数据库里没有名为“%1”且带私钥的证书：%2").arg(nickname, folder));
}

bool NssTrustsChain(const std::vector<QByteArray>& chainDer, const QDateTime& when, QString* why) {
  const auto refuse = [why](const QString& reason) {
    if (why) *why = reason;
    return false;
  };
  if (chainDer.empty()) return refuse(QStringLiteral("没有证书"));
  try {
    if (!NssProcess::Instance().AnyOpen()) {
      const QString shared = QDir::home().filePath(QStringLiteral(".pki/nssdb"));
      if (DatabaseLocation(shared).isEmpty()) return refuse(QStringLiteral("没有可用的 NSS 证书数据库"));
      OpenNssDatabase(shared);
    }
  } catch (const Failure& failure) {
    return refuse(failure.message());
  }
  // The chain's certificates known to NSS for this check only, so that it can build the path
  // from the signer to an anchor one of the databases trusts.
  std::vector<NssCertificateRef> known;
  for (const QByteArray& der : chainDer) {
    SECItem item{siBuffer, reinterpret_cast<unsigned char*>(const_cast<char*>(der.constData())),
                 static_cast<unsigned int>(der.size())};
    CERTCertificate* certificate = CERT_NewTempCertificate(CERT_GetDefaultCertDB(), &item, nullptr, PR_FALSE, PR_TRUE);
    if (certificate == nullptr) return refuse(QStringLiteral("证书读不出来（%1）").arg(NssError()));
    known.emplace_back(certificate);
  }
  const PRTime at = PRTime(when.toMSecsSinceEpoch()) * 1000;
  if (CERT_VerifyCertificate(CERT_GetDefaultCertDB(), known.front().get(), PR_TRUE, certificateUsageEmailSigner,
                             at, nullptr, nullptr, nullptr) != SECSuccess)
    return refuse(NssError());
  return true;
}

}  // namespace yz
