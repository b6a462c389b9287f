#!/usr/bin/env bash
# Signs Windows binaries in place with an Authenticode signature.
#   scripts/sign.sh --deployment NAME [--devca DIR] FILE...
# dev         signs with the development CA's code-signing certificate
#             (DIR/codesign.key and DIR/codesign-chain.pem, made by
#             counterparts/devca/make-devca.sh)
# any other   signs with the operator's key and certificate chain, named by
#             VANTOR_SIGN_KEY and VANTOR_SIGN_CERT (PEM files; the chain file
#             holds the signing certificate first, then its issuers). It
#             refuses a certificate of the development CA: a shipped program
#             must never carry the development signature.
set -euo pipefail

deployment="" devca=""
while [ $# -gt 0 ]; do
  case "$1" in
    --deployment) deployment=$2; shift 2 ;;
    --devca) devca=$2; shift 2 ;;
    --) shift; break ;;
    -*) echo "sign.sh: unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[ -n "$deployment" ] && [ $# -gt 0 ] || { echo "usage: sign.sh --deployment NAME [--devca DIR] FILE..." >&2; exit 2; }

development_org="Playmoor Development"   # the organisation of every development CA certificate

if [ "$deployment" = dev ]; then
  key=$devca/codesign.key cert=$devca/codesign-chain.pem
  [ -f "$key" ] && [ -f "$cert" ] || { echo "sign.sh: no development signing key in '$devca'" >&2; exit 1; }
else
  key=${VANTOR_SIGN_KEY:-} cert=${VANTOR_SIGN_CERT:-}
  if [ -z "$key" ] || [ -z "$cert" ]; then
    echo "sign.sh: the $deployment deployment signs with the operator's key: set VANTOR_SIGN_KEY and VANTOR_SIGN_CERT" >&2
    exit 1
  fi
  [ -f "$key" ] && [ -f "$cert" ] || { echo "sign.sh: $key or $cert is not a file" >&2; exit 1; }
  names=$(openssl x509 -in "$cert" -noout -subject -issuer -nameopt RFC2253)
  if grep -q "O=$development_org" <<<"$names"; then
    echo "sign.sh: $cert is a development certificate; the $deployment deployment is never signed with it" >&2
    exit 1
  fi
  # The key must be the certificate's own: compare their public keys.
  if [ "$(openssl x509 -in "$cert" -noout -pubkey)" != "$(openssl pkey -in "$key" -pubout)" ]; then
    echo "sign.sh: $key is not the key of the certificate in $cert" >&2
    exit 1
  fi
fi

for file in "$@"; do
  signed=$file.signing.$$
  rm -f "$signed"
  if ! osslsigncode sign -certs "$cert" -key "$key" -n "Vantor Online" -h sha256 \
       -in "$file" -out "$signed" >"$signed.log" 2>&1; then
    cat "$signed.log" >&2
    rm -f "$signed" "$signed.log"
    echo "sign.sh: could not sign $file" >&2
    exit 1
  fi
  rm -f "$signed.log"
  chmod --reference="$file" "$signed"
  mv -f "$signed" "$file"
done
