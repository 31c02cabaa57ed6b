# SPDX-License-Identifier: MIT
"""A throwaway PostgreSQL 15 server: its own folder, a socket there and 127.0.0.1 on a free
port with TLS from a throwaway CA (certificate for localhost only), scram-sha-256 for every
login. As root it runs as nobody, since PostgreSQL will not run as root."""
import os
import shutil
import socket
import subprocess
import tempfile

BIN = "/usr/lib/postgresql/15/bin"
OWNER, OWNER_PASSWORD = "owner", "owner's secret"


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Server:
    def __enter__(self):
        self.dir = tempfile.mkdtemp(prefix="vantrel-pg-")
        self.port = free_port()
        self.ca = os.path.join(self.dir, "ca.crt")
        as_user = []
        if os.geteuid() == 0:
            as_user = ["runuser", "-u", "nobody", "--"]
            os.chmod(self.dir, 0o755)
        self.run = lambda *cmd: subprocess.run(as_user + list(cmd), check=True, timeout=60,
                                               capture_output=True, env=dict(os.environ, LC_ALL="C"))
        ssl = lambda *a: subprocess.run(["openssl", *a], check=True, capture_output=True, cwd=self.dir)
        ssl("req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Vantrel test CA",
            "-keyout", "ca.key", "-out", "ca.crt")
        ssl("req", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=localhost", "-keyout", "server.key",
            "-out", "server.csr")
        with open(os.path.join(self.dir, "san.ext"), "w") as f:
            f.write("subjectAltName=DNS:localhost\n")
        ssl("x509", "-req", "-in", "server.csr", "-CA", "ca.crt", "-CAkey", "ca.key", "-CAcreateserial",
            "-days", "2", "-extfile", "san.ext", "-out", "server.crt")
        with open(os.path.join(self.dir, "pw"), "w") as f:
            f.write(OWNER_PASSWORD + "\n")
        if as_user:
            shutil.chown(self.dir, "nobody")
            for name in os.listdir(self.dir):
                shutil.chown(os.path.join(self.dir, name), "nobody")
        os.chmod(os.path.join(self.dir, "server.key"), 0o600)
        data = os.path.join(self.dir, "data")
        self.run(f"{BIN}/initdb", "-D", data, "-U", OWNER, "--pwfile", os.path.join(self.dir, "pw"),
                 "--auth=scram-sha-256", "-E", "UTF8", "--locale=C")
        with open(os.path.join(data, "postgresql.conf"), "a") as f:
            f.write(f"listen_addresses='127.0.0.1'\nport={self.port}\nunix_socket_directories='{self.dir}'\n"
                    f"ssl=on\nssl_cert_file='{self.dir}/server.crt'\nssl_key_file='{self.dir}/server.key'\n"
                    "fsync=off\nlc_messages='C'\nlog_statement='all'\n")
        self.run(f"{BIN}/pg_ctl", "-D", data, "-l", os.path.join(self.dir, "log"), "-w", "-t", "30", "start")
        self.psql(OWNER, OWNER_PASSWORD, "CREATE DATABASE squadron", db="postgres")
        return self

    def conninfo(self, user, tcp=False, **extra):
        where = f"host=localhost port={self.port}" if tcp else f"host={self.dir} port={self.port}"
        quoted = "'" + user.replace("\\", "\\\\").replace("'", "\\'") + "'"
        return " ".join([where, "dbname=squadron", f"user={quoted}"] + [f"{k}={v}" for k, v in extra.items()])

    def psql(self, user, password, sql, db="squadron"):
        """Runs sql as user; gives (exit code, output and errors)."""
        env = dict(os.environ, PGPASSWORD=password, PGCONNECT_TIMEOUT="10")
        p = subprocess.run(["psql", "-X", "-qAt", "-v", "ON_ERROR_STOP=1", "-d",
                            self.conninfo(user).replace("dbname=squadron", f"dbname={db}"), "-c", sql],
                           capture_output=True, text=True, env=env, timeout=30)
        return p.returncode, (p.stdout + p.stderr).strip()

    def __exit__(self, *_):
        try:
            self.run(f"{BIN}/pg_ctl", "-D", os.path.join(self.dir, "data"), "-m", "immediate", "-t", "30", "stop")
        finally:
            shutil.rmtree(self.dir, ignore_errors=True)
