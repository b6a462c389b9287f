#!/usr/bin/env bash
# Writes the header of the public keys a build takes update packages from.
#   scripts/package-keys.sh --deployment NAME --devca DIR --out HEADER
# dev         the development CA's code-signing key (DIR/codesign.key), which
#             signs every package of the development deployment
# any other   the key of the operator's signing certificate (VANTOR_SIGN_CERT),
#             and, for a change of keys, the further public keys (PEM) named by
#             VANTOR_PACKAGE_KEYS, separated by ":". Such a build refuses the
#             development key, and without a key it does not build.
# No private key ever enters the header: only SubjectPublicKeyInfo DER bytes.
set -euo pipefail

deployment="" devca="" out=""
while [ $# -gt 0 ]; do
  case "$1" in
    --deployment) deployment=$2; shift 2 ;;
    --devca) devca=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "package-keys.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done
[ -n "$deployment" ] && [ -n "$devca" ] && [ -n "$out" ] ||
  { echo "usage: package-keys.sh --deployment NAME --devca DIR --out HEADER" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
names=() files=()
add_key() {  # name, DER file
  names+=("$1") files+=("$2")
}

development_der=$work/development.der
openssl pkey -in "$devca/codesign.key" -pubout -outform DER -out "$development_der" 2>/dev/null ||
  { echo "package-keys.sh: no development key in '$devca'" >&2; exit 1; }

if [ "$deployment" = dev ]; then
  add_key development "$development_der"
else
  cert=${VANTOR_SIGN_CERT:-}
  if [ -z "$cert" ] || [ ! -f "$cert" ]; then
    echo "package-keys.sh: the $deployment deployment takes packages signed with the operator's key: set VANTOR_SIGN_CERT" >&2
    exit 1
  fi
  # A certificate of any development CA (they all name this organisation) is refused too.
  if openssl x509 -in "$cert" -noout -subject -issuer -nameopt RFC2253 | grep -q "O=Playmoor Development"; then
    echo "package-keys.sh: $cert is a development certificate; the $deployment deployment never takes packages signed with it" >&2
    exit 1
  fi
  openssl x509 -in "$cert" -noout -pubkey | openssl pkey -pubin -outform DER -out "$work/0.der"
  add_key "$(basename "$cert")" "$work/0.der"
  IFS=: read -r -a extra <<<"${VANTOR_PACKAGE_KEYS:-}"
  for pem in "${extra[@]}"; do
    [ -n "$pem" ] || continue
    der=$work/${#files[@]}.der
    openssl pkey -pubin -in "$pem" -outform DER -out "$der" 2>/dev/null ||
      { echo "package-keys.sh: $pem is not a PEM public key" >&2; exit 1; }
    add_key "$(basename "$pem")" "$der"
  done
  for i in "${!files[@]}"; do
    if cmp -s "${files[$i]}" "$development_der"; then
      echo "package-keys.sh: ${names[$i]} is the development key; the $deployment deployment never takes packages signed with it" >&2
      exit 1
    fi
  done
fi

{
  echo "// Made by scripts/package-keys.sh for the $deployment deployment: the public"
  echo "// keys whose signature an update package must carry. Do not edit."
  echo "#pragma once"
  echo
  echo "#include \"CryptoSignature.h\""
  echo
  echo "namespace vantor {"
  for i in "${!files[@]}"; do
    echo "inline const unsigned char kPackageKey$i[] = {"
    od -An -v -tx1 "${files[$i]}" | sed 's/ \([0-9a-f][0-9a-f]\)/0x\1, /g; s/^/   /; s/, *$/,/'
    echo "};"
  done
  echo "inline const CarriedKey kCarriedKeys[] = {"
  for i in "${!files[@]}"; do
    echo "    {\"${names[$i]}\", kPackageKey$i, sizeof kPackageKey$i},"
  done
  echo "};"
  echo "}  // namespace vantor"
} > "$out.tmp"
mv -f "$out.tmp" "$out"
