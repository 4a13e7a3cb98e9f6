"""The release a Windows user downloads, and its check by anyone
(tools/dist runs this with Debian's /usr/bin/python3 -I).

  tools/dist [--ca FILE]          build/dist/kinshu-VERSION-win32.zip
  tools/dist --verify ZIP [--ca FILE]
                                  builds the commit that ZIP's BUILDINFO.txt
                                  names again, from a clean worktree, and
                                  compares it with ZIP file by file
  tools/dist --detach-signature SIGNED.exe [--ca FILE]
                                  dist/signatures/VERSION/kinshu.exe.pem, the
                                  signature of SIGNED.exe, where SIGNED.exe is
                                  this commit's kinshu.exe and a signature

The zip holds kinshu.exe, the user's read-me (Japanese, then English; UTF-8
with a byte-order mark and CRLF, as Notepad reads it), LICENSE.txt,
BUILDINFO.txt (the commit, the source date, the Debian release, the versions
of the packages that decide the bytes, the signature where there is one, and
how to build it again) and SHA256SUMS of the four. Before anything is
zipped, the staged kinshu.exe itself passes the release check and the tests
from outside under Wine: the exe in the zip is the one they ran. The entries
are dated from the commit (or SOURCE_DATE_EPOCH), in a fixed order, with
fixed attributes, so that the same commit built with the same packages gives
the same bytes.

Where dist/signatures/VERSION/kinshu.exe.pem exists, that detached
Authenticode signature is attached to the staged kinshu.exe before anything
else checks it; it must verify over the staged bytes and chain to a CA of
the system's bundle, or of the --ca FILE given.

KINSHU_PROJECT_URL, where set (the release workflow sets it), is the
project's address (https:// and a plain path): the read-me then names it,
and BUILDINFO.txt records it, as the bytes depend on it.

The zip given to --verify is a stranger's: it is read in memory, never
extracted, and nothing read from it reaches a shell; every field of its
BUILDINFO.txt must have its one form. Exit codes:
  0  verified: kinshu.exe, README.txt and LICENSE.txt are the rebuild's,
     SHA256SUMS holds, BUILDINFO.txt differs at most in the record of the
     machine (the Debian release and the package versions)
  1  failed: the zip is not what its commit builds, or not a well-formed
     release zip, or it cannot be built again
  2  usage
  3  not verified here: only kinshu.exe differs, and so do packages that
     decide its bytes (each is named)
  4  nothing could be compared: the commit is not in this clone, or the
     rebuild failed on this machine; no evidence against the zip

Everything that builds runs with Debian's tools only: PATH is the system's,
and the environment holds none of the caller's compiler, linker or Python
variables. Every run has its own Wine prefix and display; a rebuild has its
own worktree; all are stopped and removed however the run ends.
"""

import contextlib
import datetime
import fcntl
import glob
import hashlib
import io
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.realpath(__file__)))
SYSTEM_PATH = "/usr/sbin:/usr/bin:/sbin:/bin"
SYSTEM_CA = "/etc/ssl/certs/ca-certificates.crt"
PRESET = "release"  # the build folder build/release is the release's own
PROGRAM_FILES = ("kinshu.exe", "README.txt", "LICENSE.txt", "BUILDINFO.txt")
FILES = PROGRAM_FILES + ("SHA256SUMS",)
# The packages whose versions decide kinshu.exe's bytes: the compiler and its
# run-time libraries, the assembler and linker, the Windows headers and
# import libraries, the build tools, and the tool that attaches a signature.
# Python and zlib, also named in BUILDINFO.txt, decide only the zip's.
EXE_PACKAGES = (
    "g++-mingw-w64-i686-posix", "gcc-mingw-w64-i686-posix",
    "binutils-mingw-w64-i686", "mingw-w64-i686-dev", "mingw-w64-common",
    "cmake", "ninja-build", "osslsigncode")
MAX_ENTRY = 4 << 20  # bytes: a release's largest file is a few dozen KiB

FOLDER = re.compile(r"kinshu-(\d+\.\d+\.\d+)-win32")
URL = re.compile(r"https://[A-Za-z0-9.-]+(:[0-9]{1,5})?(/[A-Za-z0-9._~-]+)*")
HEX40 = r"[0-9a-f]{40}"
HEX64 = r"[0-9a-f]{64}"
UNCOMMITTED = ", with changes that are not committed"
NO_GIT = "none (not a git checkout)"
TEXT = r"[^\x00-\x1f\x7f]{1,400}"  # a printable line
# BUILDINFO.txt's fields, each with its one form.
FIELDS = {
    "Commit": re.compile(rf"({HEX40}|{re.escape(NO_GIT)})({re.escape(UNCOMMITTED)})?"),
    "Source date": re.compile(
        r"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d) UTC \(SOURCE_DATE_EPOCH=(\d{1,11})\)"),
    "Built on": re.compile(r"Debian \d{1,3} \([a-z]{1,20}\)"),
    "Project page": URL,
    "Signed": re.compile(r"yes|no"),
    "Unsigned exe": re.compile(rf"SHA-256 {HEX64}"),
    "Signer": re.compile(TEXT),
    "Certificate": re.compile(rf"SHA-256 {HEX64}"),
    "Signing time": re.compile(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d UTC|none"),
    "Timestamp": re.compile(TEXT),
}
# The record of the machine: it may differ between builds of the same bytes.
MACHINE_FIELDS = ("Built on",)
# Fields that follow from kinshu.exe's bytes, as its sum in SHA256SUMS does.
EXE_FIELDS = ("Unsigned exe",)
PACKAGE = re.compile(r"  ([a-z0-9][a-z0-9+.-]{0,60}) +([0-9][A-Za-z0-9.+~:-]{0,60})")
PACKAGES_HEADING = "The Debian packages whose versions decide the bytes:"
HEADING = re.compile(r"kinshu (\d+\.\d+\.\d+) for 32-bit Windows: how this zip was built")


class Failed(Exception):
    """The zip, or the build, is not what it must be: exit 1."""


class CannotCompare(Exception):
    """Nothing could be compared, for a reason of this machine: exit 4."""


def say(*lines):
    for line in lines:
        print("dist: " + line, flush=True)


# ---------------------------------------------------------------- processes


def clean_env(**extra):
    """The environment of everything that builds: the system's PATH, a fixed
    locale, and of the caller's only what says who and where they are."""
    kept = ("HOME", "USER", "LOGNAME", "TERM", "TMPDIR",
            "http_proxy", "https_proxy", "no_proxy")
    env = {k: os.environ[k] for k in kept if k in os.environ}
    env.update(PATH=SYSTEM_PATH, LC_ALL="C.UTF-8")
    env.update({k: v for k, v in extra.items() if v is not None})
    return env


def run(args, cwd=ROOT, env=None, log=None, check=True, capture=False, tail=40):
    """Runs a command (a list: no shell) with a clean environment; its output
    goes to LOG when one is given. Fails with the log's last TAIL lines when
    it fails."""
    out = subprocess.PIPE if capture else (log or None)
    result = subprocess.run(args, cwd=cwd, env=env or clean_env(),
                            stdin=subprocess.DEVNULL, stdout=out,
                            stderr=subprocess.STDOUT if (log or capture) else None)
    if check and result.returncode != 0:
        if log:
            log.flush()
            with open(log.name, encoding="utf-8", errors="replace") as f:
                sys.stdout.write("".join(f.readlines()[-tail:]))
        raise Failed(f"{os.path.basename(args[0])} {' '.join(args[1:3])}... "
                     f"failed (exit {result.returncode})"
                     + (f"; the whole output is in {log.name}" if log else ""))
    return result


def git(*args, cwd=ROOT):
    return run(["git", *args], cwd=cwd, capture=True, check=False)


@contextlib.contextmanager
def locked(path, what):
    """Holds an exclusive lock on PATH, waiting (and saying so) while another
    run holds it."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        try:
            fcntl.flock(f, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except BlockingIOError:
            say(f"waiting for {what}")
            fcntl.flock(f, fcntl.LOCK_EX)
        yield


def end_on_signals():
    """SIGTERM and SIGHUP end the run as Ctrl-C does, through every cleanup."""
    def handler(number, _frame):
        raise KeyboardInterrupt(signal.Signals(number).name)
    for s in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, handler)


# -------------------------------------------------------------- the machine


def os_release():
    values = {}
    with open("/etc/os-release", encoding="utf-8") as f:
        for line in f:
            name, _, value = line.strip().partition("=")
            values[name] = value.strip('"')
    return values


def debian_release():
    """The Debian release, without its point release: a point release changes
    none of the packages that decide the bytes by itself."""
    r = os_release()
    text = f"Debian {r.get('VERSION_ID', '?')} ({r.get('VERSION_CODENAME', '?')})"
    if r.get("ID") != "debian" or not FIELDS["Built on"].fullmatch(text):
        raise Failed(f"the release is built on Debian 12 or 13, not on "
                     f"{r.get('PRETTY_NAME', 'this system')}")
    return text


def toolchain(signed):
    """The "package version" pairs that decide the zip's bytes, sorted."""
    arch = run(["dpkg", "--print-architecture"], capture=True).stdout.decode().strip()
    py = "%d.%d" % sys.version_info[:2]
    names = [p for p in EXE_PACKAGES if signed or p != "osslsigncode"]
    names += [f"python{py}-minimal", f"libpython{py}-stdlib:{arch}", f"zlib1g:{arch}"]
    out = run(["dpkg-query", "-W", "-f=${Package} ${Version}\\n", *names],
              capture=True).stdout.decode()
    return sorted(tuple(line.split(" ", 1)) for line in out.splitlines())


def project_url():
    """KINSHU_PROJECT_URL, where it is set, in its one form."""
    url = os.environ.get("KINSHU_PROJECT_URL", "").rstrip("/")
    if url and not URL.fullmatch(url):
        raise Failed("KINSHU_PROJECT_URL must be https:// and a plain path "
                     "(letters, digits and . _ ~ - /); it is not")
    return url or None


# ------------------------------------------------------- Authenticode, read


def tlv(data, at=0):
    """The DER element at AT: (tag, start of its contents, its end)."""
    tag, n = data[at], data[at + 1]
    at += 2
    if n & 0x80:
        k = n & 0x7F
        n = int.from_bytes(data[at:at + k], "big")
        at += k
    if at + n > len(data):
        raise ValueError("a DER element runs past its end")
    return tag, at, at + n


def contents(element):
    _, start, end = tlv(element)
    return element[start:end]


def children(element):
    """The elements inside a constructed DER element, each whole."""
    _, at, end = tlv(element)
    out = []
    while at < end:
        _, _, next_at = tlv(element, at)
        out.append(element[at:next_at])
        at = next_at
    return out


def oid(text):
    """The DER encoding of a dotted object identifier."""
    parts = [int(p) for p in text.split(".")]
    body = bytearray()
    for n in [parts[0] * 40 + parts[1]] + parts[2:]:
        chunk = [n & 0x7F]
        while n > 0x7F:
            n >>= 7
            chunk.insert(0, 0x80 | (n & 0x7F))
        body += bytes(chunk)
    return bytes([6, len(body)]) + bytes(body)


SIGNING_TIME = oid("1.2.840.113549.1.9.5")
RFC3161_TOKEN = oid("1.3.6.1.4.1.311.3.3.1")
COUNTERSIGNATURE = oid("1.2.840.113549.1.9.6")
DIGESTS = {oid("1.3.14.3.2.26"): "sha1", oid("2.16.840.1.101.3.4.2.1"): "sha256",
           oid("2.16.840.1.101.3.4.2.2"): "sha384",
           oid("2.16.840.1.101.3.4.2.3"): "sha512"}


def signed_data(content_info):
    """A PKCS #7 SignedData's encapsulated content, its certificates and the
    fields of its first SignerInfo."""
    fields = children(children(children(content_info)[1])[0])
    certificates = next((children(f) for f in fields[3:-1] if f[0] == 0xA0), [])
    return children(fields[2]), certificates, children(children(fields[-1])[0])


def signer_certificate(certificates, signer):
    """The certificate that a SignerInfo names by its issuer and serial."""
    issuer, serial = children(signer[1])
    for cert in certificates:
        tbs = [f for f in children(children(cert)[0]) if f[0] != 0xA0]
        if tbs[0] == serial and tbs[2] == issuer:
            return cert
    raise ValueError("the signer's certificate is not in the signature")


def utc(element):
    """An ASN.1 UTCTime or GeneralizedTime as "YYYY-MM-DD HH:MM:SS UTC"."""
    text = contents(element).decode("ascii").rstrip("Z")
    if element[0] == 0x17:  # UTCTime: two-digit years, 1950 to 2049
        text = ("19" if int(text[:2]) >= 50 else "20") + text
    when = datetime.datetime.strptime(text[:14], "%Y%m%d%H%M%S")
    return when.strftime("%Y-%m-%d %H:%M:%S UTC")


def subject(cert):
    """A certificate's subject as openssl writes it (RFC 2253). The
    certificate reaches openssl on its input, never on a command line."""
    out = subprocess.run(["openssl", "x509", "-inform", "DER", "-noout",
                          "-subject", "-nameopt", "RFC2253"], input=cert,
                         capture_output=True, env=clean_env(), check=True)
    text = out.stdout.decode("utf-8", "replace").strip().removeprefix("subject=")
    return re.sub(r"[\x00-\x1f\x7f]", "?", text)[:400]


def describe_signature(pkcs7):
    """What a signature says: its signer, the certificate's fingerprint, the
    signing time, the timestamp, and the file digest that it signs."""
    content, certificates, signer = signed_data(pkcs7)
    algorithm, digest = children(children(children(content[1])[0])[1])
    cert = signer_certificate(certificates, signer)
    signer_name = subject(cert)
    common = re.search(r"(?:^|,)CN=((?:[^,\\]|\\.)*)", signer_name)
    info = {"Signer": signer_name,
            "Publisher": re.sub(r"\\(.)", r"\1", common[1]) if common else signer_name,
            "Certificate": "SHA-256 " + hashlib.sha256(cert).hexdigest(),
            "Signing time": "none", "Timestamp": "none",
            "algorithm": DIGESTS.get(children(algorithm)[0]),
            "digest": contents(digest)}
    for attributes in (f for f in signer if f[0] in (0xA0, 0xA1)):
        for attribute in children(attributes):
            kind, values = children(attribute)
            value = children(values)[0]
            if kind == SIGNING_TIME:
                info["Signing time"] = utc(value)
            elif kind == RFC3161_TOKEN:
                _, tsa_certificates, tsa_signer = signed_data(value)
                info["Timestamp"] = "RFC 3161, by " + subject(
                    signer_certificate(tsa_certificates, tsa_signer))
            elif kind == COUNTERSIGNATURE:
                info["Timestamp"] = "an Authenticode countersignature"
    return info


def pe_layout(exe):
    """The offsets of a PE file's checksum and of its certificate table's
    directory entry, and the table's offset and size."""
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    if exe[pe:pe + 4] != b"PE\0\0":
        raise ValueError("it is not a PE file")
    optional = pe + 24
    magic = struct.unpack_from("<H", exe, optional)[0]
    entry = optional + (96 if magic == 0x10B else 112) + 4 * 8
    offset, size = struct.unpack_from("<II", exe, entry)
    return optional + 64, entry, offset, size


def authenticode_digest(exe, algorithm):
    """The digest that an Authenticode signature of EXE signs: the whole
    file but its checksum, its certificate table's directory entry and the
    table itself, which comes last."""
    checksum, entry, offset, size = pe_layout(exe)
    h = hashlib.new(algorithm)
    h.update(exe[:checksum])
    h.update(exe[checksum + 4:entry])
    h.update(exe[entry + 8:offset if size else len(exe)])
    return h.digest()


def signature_in(exe):
    """The PKCS #7 signature in a PE file's certificate table; None for an
    unsigned file."""
    _, _, offset, size = pe_layout(exe)
    if size == 0:
        return None
    length, _, kind = struct.unpack_from("<IHH", exe, offset)
    if kind != 2 or length <= 8 or offset + length > len(exe):
        raise ValueError("its certificate table holds no Authenticode signature")
    return exe[offset + 8:offset + length]


def signature_covers(exe):
    """Whether the signature in EXE signs EXE's own bytes, and what it says;
    raises ValueError where there is no readable signature."""
    pkcs7 = signature_in(exe)
    if pkcs7 is None:
        raise ValueError("it carries no signature")
    info = describe_signature(pkcs7)
    if info["algorithm"] is None:
        raise ValueError("its signature uses a digest algorithm unknown here")
    return authenticode_digest(exe, info["algorithm"]) == info["digest"], info


def osslsigncode_verify(exe_path, ca):
    """osslsigncode's verdict on a signed file: whether the signature is valid
    and chains to a CA of the bundle CA, and its last line otherwise."""
    r = subprocess.run(["osslsigncode", "verify", "-CAfile", ca, "-in", exe_path],
                       stdin=subprocess.DEVNULL, capture_output=True, env=clean_env())
    return r.returncode == 0, last_error(r.stdout + r.stderr)


def last_error(output):
    """What a tool's output says last about what went wrong."""
    lines = output.decode("utf-8", "replace").strip().splitlines()
    errors = [line.strip() for line in lines if "error" in line.lower()]
    return (errors or lines or ["no output"])[-1][-300:]


def attach(signature_pem, unsigned, out, ca):
    """Attaches a detached signature to an unsigned exe and checks the result:
    the signature signs its bytes, and osslsigncode finds it valid, chained
    to a CA of the bundle CA. Raises Failed, saying why, otherwise."""
    if os.path.exists(out):
        os.remove(out)
    r = subprocess.run(["osslsigncode", "attach-signature", "-sigin", signature_pem,
                        "-CAfile", ca, "-in", unsigned, "-out", out],
                       stdin=subprocess.DEVNULL, capture_output=True, env=clean_env())
    if not os.path.exists(out):
        raise Failed(f"the signature {rel(signature_pem)} cannot be attached: "
                     + last_error(r.stdout + r.stderr))
    with open(out, "rb") as f:
        signed = f.read()
    try:
        covered, info = signature_covers(signed)
    except ValueError as e:
        raise Failed(f"{rel(signature_pem)} is no signature that can be read: {e}")
    if not covered:
        raise Failed(f"{rel(signature_pem)} signs other bytes than this kinshu.exe's: "
                     "it is the signature of another build")
    valid, why = osslsigncode_verify(out, ca)
    if not valid:
        raise Failed(f"{rel(signature_pem)} does not verify with {ca}: {why}")
    return signed, info


def rel(path):
    path = os.path.abspath(path)
    return os.path.relpath(path, ROOT) if path.startswith(ROOT + os.sep) else path


# --------------------------------------------------------------- the zip


class Release:
    """A release zip, read in memory: its folder's name, its five files and
    its BUILDINFO.txt's fields."""

    def __init__(self, folder, files):
        self.folder, self.files = folder, files
        self.info = parse_buildinfo(files["BUILDINFO.txt"])


def read_zip(path):
    """Reads a zip that may come from anyone, without extracting it: exactly
    the five files in one folder kinshu-X.Y.Z-win32, each once, each of a
    sane size, and SHA256SUMS holding for the four others. Raises Failed."""
    try:
        z = zipfile.ZipFile(path)
    except (OSError, zipfile.BadZipFile) as e:
        raise Failed(f"{path} is not a zip that can be read: {e}")
    with z:
        names = [i.filename for i in z.infolist()]
        folders = {n.partition("/")[0] for n in names}
        folder = folders.pop() if len(folders) == 1 else None
        wanted = sorted(f"{folder}/{f}" for f in FILES)
        if folder is None or not FOLDER.fullmatch(folder) or sorted(names) != wanted:
            shown = ", ".join(repr(n)[:80] for n in names[:8])
            raise Failed(f"the zip must hold exactly {', '.join(FILES)} in one folder "
                         f"kinshu-X.Y.Z-win32, each once; it holds {shown}")
        files = {}
        for info in z.infolist():
            if info.file_size > MAX_ENTRY:
                raise Failed(f"{info.filename!r} is {info.file_size} bytes, more than "
                             "a release's file can be")
            try:
                files[info.filename.partition("/")[2]] = z.read(info)
            except (zipfile.BadZipFile, OSError, RuntimeError, ValueError) as e:
                raise Failed(f"{info.filename!r} cannot be read from the zip: {e}")
    check_sums(files)
    return Release(folder, files)


def sums_text(files):
    return "".join(f"{hashlib.sha256(files[f]).hexdigest()}  {f}\n"
                   for f in PROGRAM_FILES)


def check_sums(files):
    """SHA256SUMS names each of the four other files once, with its digest."""
    listed = {}
    for line in files["SHA256SUMS"].decode("ascii", "replace").splitlines():
        m = re.fullmatch(rf"({HEX64}) [ *](\S+)", line)
        if not m or m[2] not in PROGRAM_FILES or m[2] in listed:
            raise Failed(f"SHA256SUMS has a line that is not a digest of one of "
                         f"the files, once: {line[:100]!r}")
        listed[m[2]] = m[1]
    for f in PROGRAM_FILES:
        if f not in listed:
            raise Failed(f"SHA256SUMS does not cover {f}")
        if hashlib.sha256(files[f]).hexdigest() != listed[f]:
            raise Failed(f"{f} does not match the zip's own SHA256SUMS")


def parse_buildinfo(data):
    """BUILDINFO.txt's fields, package list and closing text, each line in
    its one form (CRLF line ends, printable UTF-8). Raises Failed, naming
    the line or the field that is not."""
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        raise Failed("BUILDINFO.txt is not UTF-8 text")
    if not text.endswith("\r\n") or "\r\n" not in text or re.search(
            r"[\x00-\x09\x0b\x0c\x0e-\x1f\x7f]|\r(?!\n)|(?<!\r)\n", text):
        raise Failed("BUILDINFO.txt must be printable lines ending in CRLF")
    lines = text[:-2].split("\r\n")
    heading = HEADING.fullmatch(lines[0])
    if not heading or lines[1:2] != [""]:
        raise Failed(f"BUILDINFO.txt's first line is not its heading: {lines[0][:100]!r}")
    info = {"version": heading[1], "packages": [], "rest": []}
    at = 2
    while at < len(lines) and lines[at] != "":
        name, sep, value = lines[at].partition(":")
        value = value.lstrip(" ")
        if not sep or name not in FIELDS or name in info:
            raise Failed(f"BUILDINFO.txt has a line that is no field: {lines[at][:100]!r}")
        if not FIELDS[name].fullmatch(value):
            raise Failed(f"BUILDINFO.txt's field {name!r} is not in its form: {value[:100]!r}")
        info[name] = value
        at += 1
    for name in ("Commit", "Source date", "Built on"):
        if name not in info:
            raise Failed(f"BUILDINFO.txt has no field {name!r}")
    date, epoch = FIELDS["Source date"].fullmatch(info["Source date"]).groups()
    if time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(int(epoch))) != date:
        raise Failed("BUILDINFO.txt's source date and SOURCE_DATE_EPOCH disagree")
    info["epoch"] = epoch
    at += 1
    if at < len(lines) and lines[at] == PACKAGES_HEADING:
        at += 1
        while at < len(lines) and lines[at] != "":
            m = PACKAGE.fullmatch(lines[at])
            if not m:
                raise Failed(f"BUILDINFO.txt has a package line that is not a Debian "
                             f"package and version: {lines[at][:100]!r}")
            info["packages"].append((m[1], m[2]))
            at += 1
    info["rest"] = lines[at:]
    if not info["packages"]:
        raise Failed("BUILDINFO.txt names no packages")
    return info


def buildinfo_text(version, commit, when, url, signature, packages, name):
    """BUILDINFO.txt: how the zip was built, and how to build it again."""
    date = time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(when))
    lines = [f"kinshu {version} for 32-bit Windows: how this zip was built", "",
             f"Commit:        {commit}",
             f"Source date:   {date} UTC (SOURCE_DATE_EPOCH={when})",
             f"Built on:      {debian_release()}"]
    if url:
        lines.append(f"Project page:  {url}")
    lines.append(f"Signed:        {'yes' if signature else 'no'}")
    for field in ("Unsigned exe", "Signer", "Certificate", "Signing time", "Timestamp"):
        if signature:
            lines.append(f"{field + ':':<15}{signature[field]}")
    lines += ["", PACKAGES_HEADING]
    lines += [f"  {p:<28} {v}" for p, v in packages]
    lines.append("")
    if not re.fullmatch(HEX40, commit):
        lines += ["It was built from changes that were never committed, so it cannot",
                  "be built again: it is no release."]
    else:
        lines += ["The same commit built with these packages gives the same bytes. In a",
                  "clone of the repository that holds the commit:",
                  f"  git checkout {commit}",
                  f"  SOURCE_DATE_EPOCH={when}"
                  + (f" KINSHU_PROJECT_URL={url}" if url else "") + " tools/dist",
                  "or, to build it again and compare it with a zip in one step:",
                  f"  tools/dist --verify {name}.zip"]
    return ("\r\n".join(lines) + "\r\n").encode("utf-8")


def readme_text(version, when, url, signature):
    """The user's read-me from dist/README.txt.in: @VERSION@, @DATE@,
    @DATE_JA@, @PROJECT_URL@ and @PUBLISHER@ filled in. A line that starts
    with @URL@ is kept only where the build knows the project's address, and
    one with @NO_URL@ only where it does not; @SIGNED@ and @UNSIGNED@ as
    kinshu.exe is signed or not. UTF-8 with a byte-order mark, CRLF."""
    day = time.gmtime(when)
    keep = {"@URL@": bool(url), "@NO_URL@": not url,
            "@SIGNED@": bool(signature), "@UNSIGNED@": not signature}
    values = {"@VERSION@": version, "@DATE@": time.strftime("%Y-%m-%d", day),
              "@DATE_JA@": f"{day.tm_year}年{day.tm_mon}月{day.tm_mday}日",
              "@PROJECT_URL@": url or "",
              "@PUBLISHER@": signature["Publisher"] if signature else ""}
    with open(os.path.join(ROOT, "dist", "README.txt.in"), encoding="utf-8") as f:
        template = f.read().splitlines()
    out = []
    for line in template:
        condition = next((c for c in keep if line.startswith(c)), None)
        if condition:
            if not keep[condition]:
                continue
            line = line[len(condition):]
        for name, value in values.items():
            line = line.replace(name, value)
        out.append(line)
    return "\ufeff".encode("utf-8") + ("\r\n".join(out) + "\r\n").encode("utf-8")


def write_zip(path, folder, files, when):
    """The zip: the files in a fixed order, dated WHEN, with no Unix owner
    or mode, compressed alike every time."""
    date = time.gmtime(when)[:6]
    with zipfile.ZipFile(path, "w") as z:
        for f in FILES:
            info = zipfile.ZipInfo(f"{folder}/{f}", date_time=date)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 0  # MS-DOS
            info.external_attr = 0x20  # the archive bit only
            z.writestr(info, files[f], compresslevel=9)


# ---------------------------------------------------------- the verdicts


def compare(theirs, ours):
    """The verdict on a zip beside the rebuild of its commit, file by file:
    its exit code, what held and what did not, and the verdict's lines."""
    if theirs.folder != ours.folder:
        return 1, [], [f"FAILED: the zip's folder is {theirs.folder}, the rebuild's "
                       f"{ours.folder}"]
    lines, differ = [], []
    for f in ("kinshu.exe", "README.txt", "LICENSE.txt"):
        same = theirs.files[f] == ours.files[f]
        state = "the rebuild's bytes" if same else "DIFFERS from the rebuild"
        lines.append(f"{f + ':':<15}{state}")
        differ += [] if same else [f]
    t, o = theirs.info, ours.info
    names = {"version": "its heading", "rest": "its closing text"}
    follow = EXE_FIELDS if "kinshu.exe" in differ else ()
    fields = [names.get(n, n) for n in sorted(set(t) | set(o))
              if n not in MACHINE_FIELDS + follow + ("packages", "epoch")
              and t.get(n) != o.get(n)]
    machine = [(n, t.get(n, "(none)"), o.get(n, "(none)")) for n in MACHINE_FIELDS
               if t.get(n) != o.get(n)]
    mine, yours = dict(o["packages"]), dict(t["packages"])
    machine += [(p, yours.get(p, "(none)"), mine.get(p, "(none)"))
                for p in sorted(set(mine) | set(yours)) if mine.get(p) != yours.get(p)]
    record = [f"  {n}: the zip {a}, the rebuild {b}" for n, a, b in machine]
    if fields:
        lines.append(f"BUILDINFO.txt: DIFFERS from the rebuild's in {', '.join(fields)}")
    elif machine:
        lines += ["BUILDINFO.txt: the rebuild's but for the record of the machine "
                  "that built it:"] + record
    else:
        lines.append("BUILDINFO.txt: the rebuild's bytes" if theirs.files["BUILDINFO.txt"]
                     == ours.files["BUILDINFO.txt"] else "BUILDINFO.txt: the rebuild's")
    lines.append("SHA256SUMS:    holds, for exactly the four other files")
    if t.get("Signed") == "yes":
        lines.append(f"signed by {t['Signer']}; certificate {t['Certificate']}")
        if "kinshu.exe" not in differ:
            lines.append("the signed kinshu.exe is the rebuild's unsigned kinshu.exe "
                         f"({t['Unsigned exe']}) with this signature attached")
    if "README.txt" in differ or "LICENSE.txt" in differ or fields:
        wrong = differ + (["BUILDINFO.txt"] if fields else [])
        return 1, lines, ["FAILED: the zip is not what its commit builds: "
                          + ", ".join(wrong) + (" differ" if len(wrong) > 1 else " differs")]
    if "kinshu.exe" not in differ:
        return 0, lines, ["VERIFIED: kinshu.exe, README.txt and LICENSE.txt are what "
                          f"commit {t['Commit']} builds"]
    deciding = [m for m in machine if m[0] in EXE_PACKAGES]
    if not deciding:
        return 1, lines, ["FAILED: kinshu.exe differs, though the packages that decide "
                          "its bytes are those the zip names: it is not what its "
                          "commit builds"]
    return 3, lines, ["NOT VERIFIED here: only kinshu.exe differs, and so do the "
                      "packages that decide its bytes: "
                      + ", ".join(n for n, _, _ in deciding) + ". Build it where they "
                      "have the versions that BUILDINFO.txt names"]


# ------------------------------------------------------------- building


def cache_value(build, name):
    with open(os.path.join(build, "CMakeCache.txt"), encoding="utf-8") as f:
        for line in f:
            key, _, value = line.rstrip("\n").partition("=")
            if key.split(":")[0] == name:
                return value
    raise Failed(f"the build's CMakeCache.txt has no {name}")


def build_targets(*targets):
    """Installs what is missing, configures the release's own preset and
    builds TARGETS quietly; the version built and the build folder."""
    build = os.path.join(ROOT, "build", PRESET)
    run([os.path.join(ROOT, "tools", "setup")])
    os.makedirs(build, exist_ok=True)
    with open(f"{build}-configure.log", "w") as log:
        run(["cmake", "--preset", PRESET], log=log)
    say(f"building {' '.join(targets)} (the log: {build}-build.log)")
    with open(f"{build}-build.log", "w") as log:
        run(["cmake", "--build", "--preset", PRESET, "--target", *targets], log=log)
    version = cache_value(build, "CMAKE_PROJECT_VERSION")
    if not re.fullmatch(r"\d+\.\d+\.\d+", version):
        raise Failed(f"project()'s version {version!r} is not X.Y.Z")
    return version, build


def source_date():
    """SOURCE_DATE_EPOCH where it is set, else the date of the last commit (a
    checkout of depth 1 has it): without either, the zip could not be made
    again byte for byte."""
    when = os.environ.get("SOURCE_DATE_EPOCH")
    if when is None:
        r = git("log", "-1", "--format=%ct")
        when = r.stdout.decode().strip() if r.returncode == 0 else ""
        if not when:
            raise Failed("no git history here to date the zip's entries from: set "
                         "SOURCE_DATE_EPOCH to the sources' date (seconds since 1970)")
    if not re.fullmatch(r"\d{1,11}", when):
        raise Failed("SOURCE_DATE_EPOCH must be a number of seconds since 1970")
    return int(when)


def current_commit():
    r = git("rev-parse", "HEAD")
    commit = r.stdout.decode().strip() if r.returncode == 0 else NO_GIT
    if git("status", "--porcelain").stdout.strip():
        commit += UNCOMMITTED
    return commit


def signature_file(version):
    return os.path.join(ROOT, "dist", "signatures", version, "kinshu.exe.pem")


def check_staged(build, exe):
    """The staged kinshu.exe, the very file that is zipped, passes the release
    check and the tests from outside: all of them in Japanese, and the
    sessions in English, where only its manifest gives it its code page.
    They run on a Wine prefix and display of their own, which end with them."""
    log_path = os.path.join(ROOT, "build", "dist", "checks.log")
    wine_run = os.path.join(ROOT, "tools", "wine-run")
    tests = os.path.join(build, "tests", "acceptance_tests.exe")
    env = clean_env(KINSHU_WINEPREFIX=os.path.join(ROOT, "build", "dist", "wineprefix"),
                    KINSHU_PROGRAM=exe)
    english = dict(env, KINSHU_WINE_LOCALE="en_US.UTF-8", KINSHU_EXPECT_SYSTEM_LCID="0409")
    say(f"checking the staged kinshu.exe (the log: {log_path})")
    steps = [("the release check", ["bash", os.path.join(ROOT, "tests", "release", "check.sh"),
                                    build, ROOT, cache_value(build, "CMAKE_OBJDUMP"),
                                    cache_value(build, "CMAKE_TOOLCHAIN_FILE"), exe], None),
             ("the tests from outside, in Japanese", [wine_run, tests], env),
             ("the sessions, in English", [wine_run, tests, "--gtest_filter=Acceptance.*"],
              english)]
    try:
        with open(log_path, "w") as log:
            for what, args, step_env in steps:
                start = time.monotonic()
                print(f"== {what}", file=log, flush=True)
                try:
                    run(args, env=step_env, log=log, tail=80)
                except Failed:
                    raise Failed(f"the staged kinshu.exe did not pass {what} (the whole "
                                 f"output: {log_path}): no zip") from None
                say(f"{what}: passed in {time.monotonic() - start:.0f} s")
    finally:
        run([wine_run, "--stop"], env=env, check=False, capture=True)


def build_release(ca):
    url = project_url()
    when = source_date()
    commit = current_commit()
    with locked(os.path.join(ROOT, "build", "dist.lock"), "another tools/dist in this tree"):
        version, build = build_targets("kinshu", "acceptance_tests")
        name = f"kinshu-{version}-win32"
        out = os.path.join(ROOT, "build", "dist")
        stage = os.path.join(out, name)
        for old in (stage, f"{stage}.zip", f"{stage}.zip.sha256"):
            shutil.rmtree(old) if os.path.isdir(old) else (
                os.path.exists(old) and os.remove(old))
        os.makedirs(stage)
        exe = os.path.join(stage, "kinshu.exe")
        unsigned = os.path.join(build, "kinshu.exe")
        pem = signature_file(version)
        signature = None
        if os.path.exists(pem):
            _, signature = attach(pem, unsigned, exe, ca)
            with open(unsigned, "rb") as f:
                signature["Unsigned exe"] = "SHA-256 " + hashlib.sha256(f.read()).hexdigest()
            say(f"kinshu.exe signed with {rel(pem)}: {signature['Signer']}, valid with {ca}")
        else:
            shutil.copyfile(unsigned, exe)
            say(f"kinshu.exe is unsigned: there is no {rel(pem)}")
        with open(exe, "rb") as f:
            files = {"kinshu.exe": f.read()}
        with open(os.path.join(ROOT, "LICENSE"), "rb") as f:
            files["LICENSE.txt"] = f.read().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")
        files["README.txt"] = readme_text(version, when, url, signature)
        files["BUILDINFO.txt"] = buildinfo_text(version, commit, when, url, signature,
                                                toolchain(signature is not None), name)
        files["SHA256SUMS"] = sums_text(files).encode("ascii")
        for f in FILES[1:]:
            with open(os.path.join(stage, f), "wb") as w:
                w.write(files[f])
        check_staged(build, exe)
        write_zip(f"{stage}.zip", name, files, when)
        with open(f"{stage}.zip", "rb") as f:
            digest = hashlib.sha256(f.read()).hexdigest()
        with open(f"{stage}.zip.sha256", "w") as f:
            f.write(f"{digest}  {name}.zip\n")
        print(rel(f"{stage}.zip"))
        print(f"{digest}  {name}.zip")


def take_signature(signed_path, unsigned, ca):
    """The detached signature (PEM) of SIGNED_PATH, where that file is exactly
    the exe UNSIGNED with an Authenticode signature attached, valid with the
    bundle CA; and what the signature says. Raises Failed, saying what
    differs, otherwise."""
    signed_path = os.path.abspath(signed_path)
    with open(signed_path, "rb") as f:
        signed = f.read()
    with open(unsigned, "rb") as f:
        own = f.read()
    try:
        covered, info = signature_covers(signed)
    except ValueError as e:
        raise Failed(f"{signed_path}: {e}: there is no signature to take")
    if not covered:
        raise Failed(f"the signature in {signed_path} does not sign that file's own bytes")
    if authenticode_digest(own, info["algorithm"]) != info["digest"]:
        raise Failed(f"{signed_path} is not this commit's kinshu.exe with a signature: "
                     "what its signature signs is another build (this commit's "
                     f"kinshu.exe has SHA-256 {hashlib.sha256(own).hexdigest()})")
    with tempfile.TemporaryDirectory() as work:
        pem = os.path.join(work, "kinshu.exe.pem")
        run(["osslsigncode", "extract-signature", "-pem", "-in", signed_path, "-out", pem],
            capture=True)
        attached, _ = attach(pem, unsigned, os.path.join(work, "attached.exe"), ca)
        if attached != signed:
            at = next((i for i, (a, b) in enumerate(zip(attached, signed)) if a != b),
                      min(len(attached), len(signed)))
            raise Failed(f"{signed_path} is not this commit's kinshu.exe with its signature "
                         f"attached: the two differ from byte {at} (sizes {len(signed)} "
                         f"and {len(attached)})")
        with open(pem, "rb") as f:
            return f.read(), info


def detach_signature(signed_path, ca):
    """Writes dist/signatures/VERSION/kinshu.exe.pem from an exe that a
    signer returned, where that exe is this commit's kinshu.exe with an
    Authenticode signature attached."""
    with locked(os.path.join(ROOT, "build", "dist.lock"), "another tools/dist in this tree"):
        version, build = build_targets("kinshu")
    pem, info = take_signature(signed_path, os.path.join(build, "kinshu.exe"), ca)
    out = signature_file(version)
    os.makedirs(os.path.dirname(out), exist_ok=True)
    with open(out, "wb") as f:
        f.write(pem)
    say(f"wrote {rel(out)}: the signature of {info['Signer']} "
        f"(certificate {info['Certificate']}), valid with {ca}",
        "commit it; tools/dist then attaches it to the kinshu.exe it builds")


# ------------------------------------------------------------ verifying


def stop_wine_under(folder):
    """Ends every Wine server and Xvfb that a build under FOLDER started."""
    for state in sorted(glob.glob(os.path.join(folder, "build", "*", ".wine-run"))):
        prefix = os.path.join(os.path.dirname(state), "wineprefix")
        run([os.path.join(ROOT, "tools", "wine-run"), "--stop"],
            env=clean_env(KINSHU_WINEPREFIX=prefix), check=False, capture=True)


def rebuild(theirs, ca):
    """The zip that the commit's own tools/dist makes in a fresh worktree,
    with the zip's source date and project page; the worktree, its Wine and
    its display are gone when this returns, however it returns."""
    info = theirs.info
    commit = info["Commit"]
    verify_dir = os.path.join(ROOT, "build", "verify")
    os.makedirs(verify_dir, exist_ok=True)
    here = tempfile.mkdtemp(prefix=f"{commit[:12]}-", dir=verify_dir)
    lock = f"{verify_dir}.lock"
    child = None
    try:
        with locked(lock, "another run's worktree"):
            r = git("worktree", "add", "--quiet", "--detach", here, commit)
        if r.returncode != 0:
            raise CannotCompare("git could not check the commit out: "
                                + r.stdout.decode("utf-8", "replace").strip())
        url = info.get("Project page")
        say(f"building {commit} again in {here}, with SOURCE_DATE_EPOCH={info['epoch']}"
            + (f" and KINSHU_PROJECT_URL={url}" if url else ""))
        args = [os.path.join(here, "tools", "dist")]
        if ca and info.get("Signed") == "yes":
            args += ["--ca", ca]
        child = subprocess.Popen(args, cwd=here, stdin=subprocess.DEVNULL,
                                 env=clean_env(SOURCE_DATE_EPOCH=info["epoch"],
                                               KINSHU_PROJECT_URL=url),
                                 start_new_session=True)
        code = child.wait()
        child = None
        made = os.path.join(here, "build", "dist", f"{theirs.folder}.zip")
        if code != 0 or not os.path.exists(made):
            hint = ("; a signed zip's rebuild checks its signature with the system's "
                    "CA bundle, or with the --ca FILE given"
                    if info.get("Signed") == "yes" and not ca else "")
            raise CannotCompare(f"the commit's tools/dist failed here (exit {code}, "
                                f"above){hint}")
        with open(made, "rb") as f:
            return f.read()
    finally:
        if child is not None and child.poll() is None:
            os.killpg(child.pid, signal.SIGTERM)
            try:
                child.wait(30)
            except subprocess.TimeoutExpired:
                os.killpg(child.pid, signal.SIGKILL)
        stop_wine_under(here)
        with locked(lock, "another run's worktree"):
            git("worktree", "remove", "--force", here)
            shutil.rmtree(here, ignore_errors=True)
            git("worktree", "prune")


def verify(zip_path, ca):
    theirs = read_zip(zip_path)
    info = theirs.info
    say(f"{zip_path}: kinshu {info['version']}, says it was built from commit "
        f"{info['Commit']} on {info['Built on']}")
    if theirs.folder != f"kinshu-{info['version']}-win32":
        raise Failed(f"its folder {theirs.folder} is not the version its BUILDINFO.txt names")
    if not re.fullmatch(HEX40, info["Commit"]):
        raise Failed("its BUILDINFO.txt says that it was built from changes that were "
                     "never committed: it cannot be built again, so it is no release")
    signed = info.get("Signed") == "yes"
    if signed:
        try:
            covered, signature = signature_covers(theirs.files["kinshu.exe"])
        except ValueError as e:
            raise Failed(f"its BUILDINFO.txt says kinshu.exe is signed, but {e}")
        if not covered:
            raise Failed("the signature in its kinshu.exe does not sign the exe's bytes")
        for field in ("Signer", "Certificate", "Signing time", "Timestamp"):
            if signature[field] != info.get(field):
                raise Failed(f"its BUILDINFO.txt's {field!r} is not what the signature says")
    if git("cat-file", "-e", f"{info['Commit']}^{{commit}}").returncode != 0:
        raise CannotCompare(f"commit {info['Commit']} is not in this clone: fetch it "
                            f"(git fetch origin {info['Commit']}) or clone the whole "
                            "repository")
    try:
        ours = read_zip(io.BytesIO(rebuild(theirs, ca)))
    except Failed as e:
        raise CannotCompare(f"the rebuild's own zip cannot be read: {e}")
    code, lines, verdict = compare(theirs, ours)
    if signed:
        with tempfile.TemporaryDirectory() as work:
            exe = os.path.join(work, "kinshu.exe")
            with open(exe, "wb") as f:
                f.write(theirs.files["kinshu.exe"])
            valid, why = osslsigncode_verify(exe, ca or SYSTEM_CA)
        if valid:
            lines.append(f"the signature is valid and chains to a CA of {ca or SYSTEM_CA}")
        else:
            # The rebuild's own check found the committed signature valid with
            # this CA: the zip's is another, or broken.
            lines.append(f"the signature does NOT verify with {ca or SYSTEM_CA}: {why}")
            code, verdict = 1, ["FAILED: the signature of its kinshu.exe is not valid"]
    say(*lines, *verdict)
    return code


# ----------------------------------------------------------------- main


USAGE = """usage: tools/dist [--ca FILE]
       tools/dist --verify ZIP [--ca FILE]
       tools/dist --detach-signature SIGNED.exe [--ca FILE]
--verify exits 0 verified, 1 failed, 3 not verified here (other packages),
4 nothing compared (the commit is not here, or its rebuild failed here);
2 is this usage."""


def main(argv):
    end_on_signals()
    if argv in (["-h"], ["--help"]):
        print(__doc__.strip())
        return 0
    ca, rest = None, []
    while argv:
        if argv[0] == "--ca" and len(argv) >= 2:
            ca = os.path.abspath(argv[1])
            argv = argv[2:]
        else:
            rest.append(argv.pop(0))
    mode = rest[0] if rest else None
    if (mode in ("--verify", "--detach-signature") and len(rest) != 2) or (
            mode not in (None, "--verify", "--detach-signature")):
        print(USAGE, file=sys.stderr)
        return 2
    if ca and not os.path.isfile(ca):
        print(f"dist: no CA file {ca}", file=sys.stderr)
        return 2
    try:
        if mode == "--verify":
            return verify(os.path.abspath(rest[1]), ca)
        if mode == "--detach-signature":
            detach_signature(os.path.abspath(rest[1]), ca or SYSTEM_CA)
        else:
            build_release(ca or SYSTEM_CA)
        return 0
    except Failed as e:
        say(f"FAILED: {e}")
        return 1
    except CannotCompare as e:
        say(f"NOTHING COMPARED: {e}. This says nothing against the zip")
        return 4
    except KeyboardInterrupt:
        say("interrupted; what it started has been stopped and removed")
        return 130


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
