# The FTP servers the Wine tests talk to: a real vsftpd and our scripted
# hostile server, both on loopback addresses and free ports, started in the
# foreground of a background job and stopped by their pids. Sourced by
# scripts/test after lib.sh; exports what the tests read:
#   TQ_FTP_PORT, TQ_FTP_USER, TQ_FTP_PASS, TQ_FTP_ROOT  (vsftpd)
#   TQ_FTP_HOSTILE_MAP  (file of "scenario port" lines of the scripted server)

TQ_FTP_DIR="$TQ_BUILD/ftp"
# One local user per build folder: the user's home is this run's served tree,
# so two runs on one machine (two clones) must not share it.
TQ_FTP_USER="tqftp$(printf '%s' "$TQ_BUILD" | md5sum | cut -c1-8)"
TQ_FTP_PASS=tq-ftp-pass
TQ_VSFTPD_PID=""
TQ_HOSTILE_PID=""

tq_free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'
}

# The served tree: root-owned, read-only for everyone else, with files the
# tests compare byte for byte.
tq_ftp_tree() {
  local root="$TQ_FTP_DIR/root"
  rm -rf "$TQ_FTP_DIR"
  mkdir -p "$root/pub/docs" "$TQ_FTP_DIR/empty"
  head -c 300000 /dev/urandom >"$root/pub/data.bin"
  head -c 1 /dev/urandom >"$root/pub/one.bin"
  printf 'line one\nline two\n' >"$root/pub/text.txt"
  printf 'docs\n' >"$root/pub/docs/readme.txt"
  chown -R root:root "$TQ_FTP_DIR"
  chmod -R a+rX,go-w "$TQ_FTP_DIR"
}

tq_start_vsftpd() {
  if ! id "$TQ_FTP_USER" >/dev/null 2>&1; then
    useradd -M -d "$TQ_FTP_DIR/root" -s /bin/sh "$TQ_FTP_USER"
  fi
  usermod -d "$TQ_FTP_DIR/root" "$TQ_FTP_USER" 2>/dev/null || true
  echo "$TQ_FTP_USER:$TQ_FTP_PASS" | chpasswd
  TQ_FTP_PORT="$(tq_free_port)"
  local lo hi
  lo="$(tq_free_port)"
  hi=$((lo + 50))
  cat >"$TQ_FTP_DIR/vsftpd.conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$TQ_FTP_PORT
background=NO
anonymous_enable=YES
anon_root=$TQ_FTP_DIR/root
no_anon_password=YES
local_enable=YES
write_enable=NO
pasv_enable=YES
pasv_min_port=$lo
pasv_max_port=$hi
port_enable=YES
connect_from_port_20=NO
secure_chroot_dir=$TQ_FTP_DIR/empty
seccomp_sandbox=NO
CONF
  /usr/sbin/vsftpd "$TQ_FTP_DIR/vsftpd.conf" </dev/null >"$TQ_FTP_DIR/vsftpd.log" 2>&1 &
  TQ_VSFTPD_PID=$!
  local i
  for i in $(seq 50); do
    curl -s --max-time 2 "ftp://127.0.0.1:$TQ_FTP_PORT/pub/one.bin" -o /dev/null && break
    sleep 0.2
  done
  export TQ_FTP_PORT TQ_FTP_USER TQ_FTP_PASS
  export TQ_FTP_ROOT="$TQ_FTP_DIR/root"
}

tq_start_hostile_ftp() {
  export TQ_FTP_HOSTILE_MAP="$TQ_FTP_DIR/hostile-ports.txt"
  rm -f "$TQ_FTP_HOSTILE_MAP"
  python3 "$TQ_ROOT/tests/ftp/servers/hostile_ftp.py" "$TQ_FTP_HOSTILE_MAP" \
    </dev/null >"$TQ_FTP_DIR/hostile.log" 2>&1 &
  TQ_HOSTILE_PID=$!
  local i
  for i in $(seq 50); do
    [ -s "$TQ_FTP_HOSTILE_MAP" ] && break
    sleep 0.1
  done
}

tq_start_ftp_servers() {
  tq_ftp_tree
  tq_start_vsftpd
  tq_start_hostile_ftp
}

tq_stop_ftp_servers() {
  local pid
  for pid in "$TQ_VSFTPD_PID" "$TQ_HOSTILE_PID"; do
    [ -n "$pid" ] || continue
    kill "$pid" >/dev/null 2>&1 || true
    wait "$pid" 2>/dev/null || true
  done
  TQ_VSFTPD_PID=""
  TQ_HOSTILE_PID=""
}
