#!/usr/bin/env bash
# Makes the development certificate authority and the certificates of the
# development hosts, all new on every run:
#   root-ca.pem/.key            self-signed root CA
#   intermediate-ca.pem/.key    CA signed by the root, signs the server certificate
#   server.pem/.key             one server certificate for every host (subjectAltName)
#   server-chain.pem            server.pem followed by intermediate-ca.pem
#   codesign.pem/.key           code-signing certificate, signed by the intermediate CA
#   codesign-chain.pem          codesign.pem followed by intermediate-ca.pem: what a signature carries
#   certs.p7b                   root and intermediate CA (DER PKCS#7): what the client must trust
# With --test-leaves also, signed by the intermediate CA:
#   leaf-plain.pem              end-entity certificate without basic constraints
#   leaf-broken.pem             certificate whose basic-constraints value cannot be decoded
#
#   make-devca.sh [--out DIR] [--deployment FILE] [--host HOST]... [--label TEXT] [--test-leaves]
# --out         output folder (default build/win32/counterparts/devca)
# --deployment  deployment.json whose hosts the server certificate names
#               (default build/win32/generated/deployment.json)
# --host        name this host instead of the deployment's (repeatable)
# --label       added to the common names, so that tests can make distinct CAs
# --test-leaves also make the test certificates above
# The keys are for loopback development only; they are never committed.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out="$root/build/win32/counterparts/devca"
deployment="$root/build/win32/generated/deployment.json"
hosts=()
label=""
test_leaves=0

while [ $# -gt 0 ]; do
  case "$1" in
    --out) out=$2; shift 2 ;;
    --deployment) deployment=$2; shift 2 ;;
    --host) hosts+=("$2"); shift 2 ;;
    --label) label=" $2"; shift 2 ;;
    --test-leaves) test_leaves=1; shift ;;
    *) echo "make-devca.sh: unknown argument $1" >&2; exit 2 ;;
  esac
done

if [ ${#hosts[@]} -eq 0 ]; then
  if [ ! -f "$deployment" ]; then
    echo "make-devca.sh: $deployment not found (configure build/win32 first, or pass --host)" >&2
    exit 2
  fi
  # Every host value of the deployment, in file order, without repeats.
  mapfile -t hosts < <(python3 - "$deployment" <<'PY'
import json, sys
seen = []
def walk(v):
    if isinstance(v, str):
        if v not in seen: seen.append(v)
    elif isinstance(v, list):
        for x in v: walk(x)
for key, value in json.load(open(sys.argv[1])).items():
    if key != "name": walk(value)
print("\n".join(seen))
PY
)
fi

san=""
for h in "${hosts[@]}"; do
  # An address is named twice: as IP (what TLS libraries match) and as DNS text,
  # because Wine's WinINet compares the host text only with DNS names.
  if [[ $h =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then san+="${san:+,}IP:$h"; fi
  san+="${san:+,}DNS:$h"
done
export DEVCA_SAN=$san

mkdir -p "$(dirname "$out")"
work=$(mktemp -d "$out.tmp.XXXXXX")
trap 'rm -rf "$work"' EXIT
cnf="$here/openssl.cnf"
serial() { echo "0x$(openssl rand -hex 8)"; }
quiet() { "$@" 2>"$work/openssl.log" || { cat "$work/openssl.log" >&2; exit 1; }; }
org="/O=Playmoor Development"

quiet openssl req -x509 -newkey rsa:2048 -nodes -sha256 -days 3650 -set_serial "$(serial)" \
  -config "$cnf" -extensions v3_root -subj "$org/CN=Vantor Development Root CA$label" \
  -keyout "$work/root-ca.key" -out "$work/root-ca.pem"

quiet openssl req -new -newkey rsa:2048 -nodes -config "$cnf" \
  -subj "$org/CN=Vantor Development Intermediate CA$label" \
  -keyout "$work/intermediate-ca.key" -out "$work/intermediate-ca.csr"
quiet openssl x509 -req -sha256 -days 3650 -set_serial "$(serial)" -in "$work/intermediate-ca.csr" \
  -CA "$work/root-ca.pem" -CAkey "$work/root-ca.key" \
  -extfile "$cnf" -extensions v3_intermediate -out "$work/intermediate-ca.pem"

quiet openssl req -new -newkey rsa:2048 -nodes -config "$cnf" \
  -subj "$org/CN=Vantor Development Services$label" \
  -keyout "$work/server.key" -out "$work/server.csr"
quiet openssl x509 -req -sha256 -days 825 -set_serial "$(serial)" -in "$work/server.csr" \
  -CA "$work/intermediate-ca.pem" -CAkey "$work/intermediate-ca.key" \
  -extfile "$cnf" -extensions v3_server -out "$work/server.pem"

leaf() {  # file name, extensions section, common name
  quiet openssl req -new -newkey rsa:2048 -nodes -config "$cnf" -subj "$org/CN=$3$label" \
    -keyout "$work/$1.key" -out "$work/$1.csr"
  quiet openssl x509 -req -sha256 -days 825 -set_serial "$(serial)" -in "$work/$1.csr" \
    -CA "$work/intermediate-ca.pem" -CAkey "$work/intermediate-ca.key" \
    -extfile "$cnf" -extensions "$2" -out "$work/$1.pem"
}
leaf codesign v3_codesign "Vantor Development Code Signing"
if [ $test_leaves = 1 ]; then
  leaf leaf-plain v3_leaf_plain "Vantor Test Plain Leaf"
  leaf leaf-broken v3_leaf_broken "Vantor Test Broken Constraints"
fi

cat "$work/server.pem" "$work/intermediate-ca.pem" > "$work/server-chain.pem"
cat "$work/codesign.pem" "$work/intermediate-ca.pem" > "$work/codesign-chain.pem"
cat "$work/root-ca.pem" "$work/intermediate-ca.pem" > "$work/trusted.pem"
quiet openssl crl2pkcs7 -nocrl -certfile "$work/trusted.pem" -outform DER -out "$work/certs.p7b"

mkdir -p "$out"
for f in root-ca intermediate-ca server codesign; do
  mv -f "$work/$f.key" "$out/$f.key"
  mv -f "$work/$f.pem" "$out/$f.pem"
done
mv -f "$work/server-chain.pem" "$out/server-chain.pem"
mv -f "$work/codesign-chain.pem" "$out/codesign-chain.pem"
if [ $test_leaves = 1 ]; then
  mv -f "$work/leaf-plain.pem" "$work/leaf-broken.pem" "$out/"
fi
mv -f "$work/certs.p7b" "$out/certs.p7b"
echo "$DEVCA_SAN" > "$out/hosts.txt"
