#!/usr/bin/env bash
# A private Dovecot POP3 server on 127.0.0.1 for the mail tests and the mail benchmark.
#   dovecot.sh start <dir> <port> [user:password:messages]...
#   dovecot.sh stop <dir>
# <dir> holds the configuration, the users, the Maildirs, the logs and the run state; it must be
# a folder the dovecot user can enter (not under /root). Passwords hold no colon.
set -euo pipefail

usage() { echo "usage: $0 start <dir> <port> [user:password:messages]... | stop <dir>" >&2; exit 2; }
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

write_config() {
  local port=$1
  cat >"$dir/dovecot.conf" <<CONF
instance_name = torvin-$port
protocols = pop3
listen = 127.0.0.1
ssl = no
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
service pop3-login {
  inet_listener pop3 {
    address = 127.0.0.1
    port = $port
  }
  inet_listener pop3s {
    port = 0
  }
}
CONF
}

case "$command" in
  start)
    [ $# -ge 3 ] || usage
    port=$3
    shift 3
    mkdir -p "$dir"
    dir=$(cd "$dir" && pwd)
    stop_server
    rm -rf "$dir/mail" "$dir/run" "$dir/state"
    mkdir -p "$dir/mail" "$dir/run" "$dir/state"
    chmod 755 "$dir"
    : >"$dir/users"
    for account in "$@"; do
      IFS=: read -r user password count <<<"$account"
      echo "$user:$password" >>"$dir/users"
      fill_maildir "$dir/mail/$user/Maildir" "${count:-0}"
    done
    chmod 644 "$dir/users"
    chown -R "$mail_uid:$mail_uid" "$dir/mail"
    write_config "$port"
    dovecot -c "$dir/dovecot.conf"
    for _ in $(seq 1 100); do
      if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
        exit 0
      fi
      sleep 0.05
    done
    echo "dovecot did not start listening on port $port; see $dir/dovecot.log" >&2
    exit 1
    ;;
  stop)
    dir=$(cd "$dir" && pwd)
    stop_server
    ;;
  *)
    usage
    ;;
esac
