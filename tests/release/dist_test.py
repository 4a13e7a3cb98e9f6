"""tools/dist.py on small zips made here: what it refuses to read, and its verdicts; with
KINSHU_EXE (the built kinshu.exe), a signature's whole way, with a CA made for the test."""
import io
import os
import subprocess
import sys
import tempfile
import unittest
import warnings
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.dont_write_bytecode = True  # nothing written into the source tree
sys.path.insert(0, os.path.join(ROOT, "tools"))
import dist  # noqa: E402  (tools/dist.py, found through the path above)
warnings.filterwarnings("ignore", "Duplicate name")  # a test's zip has one on purpose

FOLDER = "kinshu-1.0.0-win32"
PACKAGES = {"cmake": "3.25.1-1", "zlib1g": "1:1.2.13.dfsg-1"}


def buildinfo(fields="", packages=None, page="https://example.org/kinshu"):
    lines = ["kinshu 1.0.0 for 32-bit Windows: how this zip was built", "",
             "Commit:        " + "a" * 40,
             "Source date:   2026-12-10 13:55:49 UTC (SOURCE_DATE_EPOCH=1796910949)",
             "Built on:      Debian 12 (bookworm)", "Project page:  " + page] + [fields] * bool(fields)
    lines += ["", dist.PACKAGES_HEADING] + [f"  {p} {v}" for p, v in sorted((packages or PACKAGES).items())]
    return ("\r\n".join(lines + ["", "closing text"]) + "\r\n").encode()


def release(exe=b"MZ exe", readme=b"read me", info=None, names=None):
    files = {"kinshu.exe": exe, "README.txt": readme, "LICENSE.txt": b"MIT",
             "BUILDINFO.txt": info or buildinfo()}
    files["SHA256SUMS"] = dist.sums_text(files).encode()
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w") as z:
        for name in names or [f"{FOLDER}/{f}" for f in dist.FILES]:
            z.writestr(name, files.get(name.rpartition("/")[2], b"x"))
    return dist.read_zip(data)


class Reading(unittest.TestCase):
    def test_a_zip_of_another_form_is_refused_saying_why(self):
        good = [f"{FOLDER}/{f}" for f in dist.FILES]
        for names in ([f"{FOLDER}/../{f}" for f in dist.FILES], good + [f"{FOLDER}/x.dll"],
                      good[:-1], good + good[:1], [f"/{n}" for n in good]):
            with self.assertRaisesRegex(dist.Failed, "exactly", msg=names):
                release(names=names)
        for info, why in ((buildinfo(page="touch /tmp/PWNED|e;#"), "'Project page'"),
                          (buildinfo().replace(b"a" * 40, b"HEAD"), "'Commit'"),
                          (buildinfo("Signer:        x\x1b[2J\n"), "CRLF"),
                          (buildinfo(packages={"cmake": "1;rm -rf /"}), "package line"),
                          (buildinfo().replace(b"1796910949", b"1796910950"), "disagree")):
            with self.assertRaisesRegex(dist.Failed, why, msg=info):
                release(info=info)
        with self.assertRaisesRegex(dist.Failed, "README.txt does not match"):
            dist.check_sums(dict(release().files, **{"README.txt": b"changed"}))


class Verdicts(unittest.TestCase):
    def verdict(self, theirs, code, *said):
        got, lines, verdict = dist.compare(theirs, release())
        text = "\n".join(lines + verdict)
        self.assertEqual(code, got, text)
        for s in said:
            self.assertRegex(text, s)

    def test_each_file_decides(self):
        other = lambda **p: buildinfo(packages=dict(PACKAGES, **p))
        self.verdict(release(), 0, "VERIFIED", "BUILDINFO.txt: the rebuild's bytes")
        self.verdict(release(info=other(zlib1g="1:1.2.13.dfsg-1+deb12u1")), 0,
                     "VERIFIED", "(?s)record of the machine.*zlib1g: the zip 1:1.2.13.dfsg-1\\+")
        self.verdict(release(exe=b"MZ other", info=other(cmake="3.31.6-2")), 3,
                     "kinshu.exe: +DIFFERS", "README.txt: +the rebuild's bytes",
                     "cmake: the zip 3.31.6-2, the rebuild 3.25.1-1", "decide its bytes: cmake\\.")
        self.verdict(release(exe=b"MZ other"), 1, "FAILED: kinshu.exe differs, though")
        self.verdict(release(exe=b"MZ other", info=other(zlib1g="2")), 1, "FAILED")
        self.verdict(release(readme=b"changed", info=other(cmake="3.31.6-2")), 1,
                     "README.txt: +DIFFERS", "FAILED")
        self.verdict(release(info=buildinfo(page="https://example.org/other")), 1,
                     "DIFFERS from the rebuild's in Project page")


@unittest.skipUnless(os.environ.get("KINSHU_EXE"), "needs KINSHU_EXE, the built kinshu.exe")
class Signing(unittest.TestCase):
    def test_a_signature_made_here_goes_the_whole_way(self):
        exe, out, work = os.environ["KINSHU_EXE"], os.environ["KINSHU_SIGNED_OUT"], self.enterContext(
            tempfile.TemporaryDirectory())
        at = lambda name: os.path.join(work, name)
        run = lambda *args: subprocess.run(args, cwd=work, check=True, capture_output=True)
        for name, subject, *more in (
                ("ca", "/CN=kinshu test CA", "-addext", "basicConstraints=critical,CA:TRUE"),
                ("cs", "/CN=kinshu test signer", "-CA", "ca.crt", "-CAkey", "ca.key", "-addext",
                 "extendedKeyUsage=codeSigning", "-addext", "basicConstraints=CA:FALSE")):
            run("openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout",
                f"{name}.key", "-out", f"{name}.crt", "-subj", subject, *more)
        sign = lambda source, signed: run("osslsigncode", "sign", "-certs", "cs.crt", "-key", "cs.key",
                                          "-time", "1796910949", "-in", source, "-out", signed)
        sign(exe, "signed.exe")
        # What --detach-signature writes, attached again as tools/dist does.
        pem, info = dist.take_signature(at("signed.exe"), exe, at("ca.crt"))
        with open(at("kinshu.exe.pem"), "wb") as f:
            f.write(pem)
        os.makedirs(os.path.dirname(out), exist_ok=True)
        signed, _ = dist.attach(at("kinshu.exe.pem"), exe, out, at("ca.crt"))
        with open(at("signed.exe"), "rb") as f:
            self.assertEqual(f.read(), signed)
        self.assertEqual(("CN=kinshu test signer", "2026-12-10 13:55:49 UTC"),
                         (info["Signer"], info["Signing time"]))
        info.update({"Signed": "yes", "Unsigned exe": "SHA-256 " + "0" * 64})
        fields = "\r\n".join(f"{k}: {v}" for k, v in info.items() if k in dist.FIELDS)
        code, lines, _ = dist.compare(*[release(exe=signed, info=buildinfo(fields))] * 2)
        self.assertEqual(0, code)
        self.assertIn("signed by CN=kinshu test signer; certificate " + info["Certificate"],
                      lines)
        # Refused: the signature of another build, and one with a byte changed.
        with open(exe, "rb") as f, open(at("other.exe"), "wb") as other:
            other.write(f.read()[:-1] + b"\1")
        sign(at("other.exe"), "other-signed.exe")
        with self.assertRaisesRegex(dist.Failed, "another build"):
            dist.take_signature(at("other-signed.exe"), exe, at("ca.crt"))
        end = pem.index(b"-----END") - 20
        with open(at("broken.pem"), "wb") as f:
            f.write(pem[:end] + (b"A" if pem[end:end + 1] != b"A" else b"B") + pem[end + 1:])
        with self.assertRaises(dist.Failed):
            dist.attach(at("broken.pem"), exe, at("broken.exe"), at("ca.crt"))


if __name__ == "__main__":
    unittest.main()
