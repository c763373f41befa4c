#!/usr/bin/env bash
# A private Dovecot POP3 server on 127.0.0.1 for the mail tests and the mail benchmark.
#   dovecot.sh start <dir> <port> [user:password:messages]...
#   dovecot.sh start-tls <dir> <port> [user:password:messages]...
#   dovecot.sh stop <dir>
# <dir> holds the configuration, the users, the Maildirs, the logs and the run state; it must be
# a folder the dovecot user can enter (not under /root). Passwords hold no colon.
#
# start-tls makes a test CA and certificates in <dir>/certs, trusts the CA in the Wine prefix
# $WINEPREFIX only (HKCU Root store; the host system's trust store is never touched), and
# starts servers with "ssl = required" and only a pop3s listener:
#   <port>    a certificate for localhost from the test CA
#   <port>+1  one for another name, <port>+2 self-signed, <port>+3 expired, <port>+4 from an
#             unknown CA; each in <dir>/<kind>/ with its own log.
# stop stops them all and removes the CA from the prefix again.
set -euo pipefail

usage() {
  echo "usage: $0 start|start-tls <dir> <port> [user:password:messages]... | stop <dir>" >&2
  exit 2
}
[ $# -ge 2 ] || usage
command=$1
dir=$2
mail_uid=5000

stop_server() {
  if [ -f "$dir/dovecot.conf" ] && [ -f "$dir/run/master.pid" ]; then
    doveadm -c "$dir/dovecot.conf" stop 2>/dev/null || true
    for _ in $(seq 1 50); do [ -f "$dir/run/master.pid" ] || break; sleep 0.1; done
  fi
}

# The messages go straight into Maildir/cur: no delivery agent, so a thousand take a moment.
fill_maildir() {
  local maildir=$1 count=$2 i
  mkdir -p "$maildir/cur" "$maildir/new" "$maildir/tmp"
  for ((i = 1; i <= count; i++)); do
    printf 'From: sender@example.jp\r\nTo: pet@example.jp\r\nSubject: message %d\r\n\r\nbody %d\r\n' "$i" "$i" \
      >"$maildir/cur/1700000000.M${i}P1.torvin:2,"
  done
}

# write_config <port> [<cert.pem> <key.pem>]: plain POP3 on <port>, or with a certificate only
# POP3 over TLS there.
write_config() {
  local port=$1 cert=${2:-} key=${3:-} plain_port=$1 tls_port=0 ssl="ssl = no"
  if [ -n "$cert" ]; then
    plain_port=0 tls_port=$port
    ssl="ssl = required
ssl_cert = <$cert
ssl_key = <$key"
  fi
  cat >"$dir/dovecot.conf" <<CONF
instance_name = torvin-$port
protocols = pop3
listen = 127.0.0.1
$ssl
disable_plaintext_auth = no
auth_mechanisms = plain login
base_dir = $dir/run
state_dir = $dir/state
log_path = $dir/dovecot.log
info_log_path = $dir/dovecot-info.log
first_valid_uid = 1000
mail_location = maildir:$dir/mail/%u/Maildir
passdb {
  driver = passwd-file
  args = scheme=PLAIN username_format=%u $dir/users
}
userdb {
  driver = static
  args = uid=$mail_uid gid=$mail_uid home=$dir/mail/%u
}
# Log-in processes kept ready, as a server with traffic keeps them: otherwise every connection
# waits while the master starts one and it loads its certificate, a wait that no client can
# shorten and that the benchmark would count against each client alike.
service pop3-login {
  process_min_avail = 4
  inet_listener pop3 {
    address = 127.0.0.1
    port = $plain_port
  }
  inet_listener pop3s {
    address = 127.0.0.1
    port = $tls_port
  }
}
CONF
}

# start_server <port> [<cert.pem> <key.pem>] with the accounts in "${accounts[@]}".
start_server() {
  mkdir -p "$dir"
  dir=$(cd "$dir" && pwd)
  stop_server
  # Old logs go too: the TLS tests read them for log-in attempts.
  rm -rf "$dir/mail" "$dir/run" "$dir/state" "$dir"/dovecot*.log
  mkdir -p "$dir/mail" "$dir/run" "$dir/state"
  chmod 755 "$dir"
  : >"$dir/users"
  local account user password count
  for account in "${accounts[@]}"; do
    IFS=: read -r user password count <<<"$account"
    echo "$user:$password" >>"$dir/users"
    fill_maildir "$dir/mail/$user/Maildir" "${count:-0}"
  done
  chmod 644 "$dir/users"
  chown -R "$mail_uid:$mail_uid" "$dir/mail"
  write_config "$@"
  dovecot -c "$dir/dovecot.conf"
  for _ in $(seq 1 100); do
    if (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; then
      return 0
    fi
    sleep 0.05
  done
  echo "dovecot did not start listening on port $1; see $dir/dovecot.log" >&2
  exit 1
}

# The test CA signs the good, wrong-name and expired certificates; another CA, never trusted,
# signs the unknown-CA one. `openssl ca` is used for its -startdate/-enddate (expired).
make_certs() {
  local certs=$1 kind
  rm -rf "$certs"
  mkdir -p "$certs"
  (
    cd "$certs"
    cat >ca.cnf <<'CNF'
[ca]
default_ca = test_ca
[test_ca]
database = index.txt
serial = serial
new_certs_dir = .
default_md = sha256
policy = any
copy_extensions = copy
unique_subject = no
[any]
commonName = supplied
[server]
basicConstraints = CA:FALSE
keyUsage = digitalSignature, keyEncipherment
extendedKeyUsage = serverAuth
CNF
    for ca in ca other-ca; do
      openssl req -x509 -newkey rsa:2048 -nodes -keyout "$ca.key" -out "$ca.pem" -days 2 \
        -subj "/CN=Torvin test $ca" -addext basicConstraints=critical,CA:TRUE \
        -addext keyUsage=critical,keyCertSign,cRLSign 2>/dev/null
    done
    issue() {  # issue <kind> <name> <ca> [openssl ca date options]
      local kind=$1 name=$2 ca=$3
      shift 3
      : >index.txt
      echo 01 >serial
      openssl req -new -newkey rsa:2048 -nodes -keyout "$kind.key" -out "$kind.csr" -subj "/CN=$name" \
        -addext "subjectAltName=DNS:$name" 2>/dev/null
      openssl ca -batch -config ca.cnf -extensions server -cert "$ca.pem" -keyfile "$ca.key" \
        -in "$kind.csr" -out "$kind.pem" -notext "$@" 2>/dev/null
    }
    issue good localhost ca -days 2
    issue wrong-name other.example ca -days 2
    issue expired localhost ca -startdate 20200101000000Z -enddate 20200201000000Z
    issue unknown-ca localhost other-ca -days 2
    openssl req -x509 -newkey rsa:2048 -nodes -keyout self-signed.key -out self-signed.pem -days 2 \
      -subj /CN=localhost -addext subjectAltName=DNS:localhost 2>/dev/null
    openssl x509 -in ca.pem -outform DER -out ca.der
  )
  for kind in good wrong-name self-signed expired unknown-ca; do
    chmod 644 "$certs/$kind.pem" "$certs/$kind.key"
  done
  chmod 755 "$certs"
}

# The CA goes into the prefix's HKCU Root store as the registry holds it: a property header
# (id 0x20, the encoded certificate) before the DER bytes, under the certificate's SHA-1.
ca_key() {
  echo "HKEY_CURRENT_USER\\Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\$(
    openssl x509 -in "$1/ca.pem" -noout -fingerprint -sha1 | sed 's/.*=//; s/://g')"
}

trust_ca() {
  local certs=$1 reg=$1/trust-ca.reg length
  length=$(stat -c %s "$certs/ca.der")
  {
    printf 'REGEDIT4\r\n\r\n[%s]\r\n"Blob"=hex:20,00,00,00,01,00,00,00,' "$(ca_key "$certs")"
    printf '%02x,%02x,%02x,%02x,' $((length & 255)) $((length >> 8 & 255)) $((length >> 16 & 255)) $((length >> 24))
    od -An -v -tx1 "$certs/ca.der" | tr -s ' \n' ',' | sed 's/^,//; s/,$//'
    printf '\r\n'
  } >"$reg"
  /usr/lib/wine/wine64 regedit /S "$reg" </dev/null >/dev/null 2>&1
}

untrust_ca() {
  [ -f "$1/ca.pem" ] || return 0
  /usr/lib/wine/wine64 reg delete "$(ca_key "$1")" /f >/dev/null 2>&1 || true
}

tls_kinds=(good wrong-name self-signed expired unknown-ca)

case "$command" in
  start)
    [ $# -ge 3 ] || usage
    port=$3
    accounts=("${@:4}")
    start_server "$port"
    ;;
  start-tls)
    [ $# -ge 3 ] || usage
    port=$3
    accounts=("${@:4}")
    mkdir -p "$dir"
    top=$(cd "$dir" && pwd)
    chmod 755 "$top"
    untrust_ca "$top/certs"
    make_certs "$top/certs"
    trust_ca "$top/certs"
    # The five servers start side by side; each start waits until its port answers.
    pids=()
    for i in "${!tls_kinds[@]}"; do
      kind=${tls_kinds[$i]}
      # Only the good certificate's server lets anyone log in: the others must never see USER.
      [ "$kind" = good ] || accounts=()
      (dir=$top/$kind && start_server $((port + i)) "$top/certs/$kind.pem" "$top/certs/$kind.key") &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do
      wait "$pid"
    done
    ;;
  stop)
    dir=$(cd "$dir" && pwd)
    top=$dir
    # A Dovecot takes a few seconds to stop: the servers stop side by side.
    stop_server &
    for kind in "${tls_kinds[@]}"; do
      if [ -d "$top/$kind" ]; then
        (dir=$top/$kind && stop_server) &
      fi
    done
    wait
    if [ -d "$top/certs" ]; then
      untrust_ca "$top/certs"
    fi
    ;;
  *)
    usage
    ;;
esac
