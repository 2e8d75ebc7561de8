// Checking that a release file was signed with the release key.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace dovrik::qt {

// Whether `signatureBase64` is an Ed25519 signature of all of `message` by the key whose raw 32
// bytes `publicKeyBase64` holds. Malformed base64, a key or signature of the wrong size, or any
// failure inside the library count as "does not match", never as a pass.
bool ed25519SignatureMatches(QByteArrayView message, const QByteArray& signatureBase64,
                             const QByteArray& publicKeyBase64);

}  // namespace dovrik::qt
