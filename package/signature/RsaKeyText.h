// RSA keys as openssl writes them, read without the system's help: Wine's
// CryptoAPI decodes PKCS#1 private keys and SubjectPublicKeyInfo, but not the
// PKCS#8 form that openssl 3 writes by default.
#pragma once

#include <string>
#include <vector>

namespace vantor {

using DerBytes = std::vector<unsigned char>;

// The DER bytes of the first PEM section labelled label ("PRIVATE KEY", ...).
bool DecodePem(const std::string& text, const char* label, DerBytes& der);
// The PKCS#1 RSAPrivateKey of a PEM file holding either "BEGIN PRIVATE KEY"
// (PKCS#8 of an rsaEncryption key, unwrapped here) or "BEGIN RSA PRIVATE KEY".
bool RsaPrivateKeyOfPem(const std::string& text, DerBytes& pkcs1);
// The SubjectPublicKeyInfo (as openssl pkey -pubout -outform DER) of a
// PEM "BEGIN PUBLIC KEY".
bool PublicKeyInfoOfPem(const std::string& text, DerBytes& publicKeyInfo);
// The SubjectPublicKeyInfo of the public half of a PKCS#1 private key.
bool PublicKeyInfoOfPrivateKey(const DerBytes& pkcs1, DerBytes& publicKeyInfo);
// 16 lowercase hex digits: the first 8 bytes of the SHA-256 of a SubjectPublicKeyInfo.
std::string KeyIdOf(const DerBytes& publicKeyInfo);

}  // namespace vantor
