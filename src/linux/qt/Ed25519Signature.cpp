// Ed25519 through OpenSSL 3: a raw public key and one-shot verification, since Ed25519 signs
// the whole message rather than a digest.
#include "linux/qt/Ed25519Signature.h"

#include <openssl/evp.h>

#include <memory>
#include <optional>

namespace dovrik::qt {
namespace {

std::optional<QByteArray> strictBase64(const QByteArray& text, qsizetype size) {
  const QByteArray::FromBase64Result decoded = QByteArray::fromBase64Encoding(
      text.trimmed(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
  if (!decoded || decoded.decoded.size() != size)
    return std::nullopt;
  return decoded.decoded;
}

}  // namespace

bool ed25519SignatureMatches(QByteArrayView message, const QByteArray& signatureBase64,
                             const QByteArray& publicKeyBase64) {
  const std::optional<QByteArray> key = strictBase64(publicKeyBase64, 32);
  const std::optional<QByteArray> signature = strictBase64(signatureBase64, 64);
  if (!key || !signature)
    return false;
  const std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> publicKey(
      EVP_PKEY_new_raw_public_key(EVP_PKEY_ED25519, nullptr,
                                  reinterpret_cast<const unsigned char*>(key->constData()),
                                  static_cast<std::size_t>(key->size())),
      &EVP_PKEY_free);
  const std::unique_ptr<EVP_MD_CTX, decltype(&EVP_MD_CTX_free)> context(EVP_MD_CTX_new(),
                                                                        &EVP_MD_CTX_free);
  if (!publicKey || !context ||
      EVP_DigestVerifyInit(context.get(), nullptr, nullptr, nullptr, publicKey.get()) != 1)
    return false;
  return EVP_DigestVerify(context.get(),
                          reinterpret_cast<const unsigned char*>(signature->constData()),
                          static_cast<std::size_t>(signature->size()),
                          reinterpret_cast<const unsigned char*>(message.data()),
                          static_cast<std::size_t>(message.size())) == 1;
}

}  // namespace dovrik::qt
