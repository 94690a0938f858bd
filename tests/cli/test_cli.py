#!/usr/bin/env python3
"""Runs linkloom-cli (natively or under an emulator) on generated trees and checks what it writes."""
import argparse
import fcntl
import gzip
import http.server
import json
import multiprocessing
import os
import random
import re
import shutil
import signal
import stat
import struct
import subprocess
import sys
import tempfile
import termios
import threading
import time
import unittest
import xml.etree.ElementTree as ElementTree

import jsonschema

CLI = []
SCHEMA = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "docs", "report.schema.json")
# The native build's program, which the Windows build is compared with when given.
REFERENCE = None


def run(*args, cwd=None, timeout=120, env=None):
    result = subprocess.run(CLI + list(args), capture_output=True, cwd=cwd, stdin=subprocess.DEVNULL,
                            timeout=timeout, env=env)
    return result.returncode, result.stdout, result.stderr.decode("utf-8", "replace").replace("\r\n", "\n")


def start(*args, **options):
    return subprocess.Popen(CLI + list(args), stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, **options)


def emulated():
    return len(CLI) > 1


def native(path):
    """A path as the program under test names it (drive Z: maps the Linux root under Wine)."""
    if emulated():
        return "Z:" + path.replace("/", "\\")
    return path


MARCH_3 = 1709467200  # 2024-03-03 12:00 UTC
DAY = 86400


def write(path, content, when=None):
    """Writes text (as UTF-8) or bytes, making the folders on the way; `when` sets the file's time."""
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as out:
        out.write(content if isinstance(content, bytes) else content.encode("utf-8"))
    if when is not None:
        os.utime(path, (when, when))


def read(path):
    with open(path, "rb") as data:
        return data.read()


def read_text(path):
    """A UTF-8 file's text, its line ends as "\n"."""
    return read(path).decode("utf-8").replace("\r\n", "\n")


def scratch(test, prefix="linkloom-out-"):
    """A new folder removed when the test ends."""
    folder = tempfile.mkdtemp(prefix=prefix)
    test.addCleanup(shutil.rmtree, folder, True)
    return folder


def temp_tree(test, files):
    """A Tree removed when the test ends."""
    made = Tree(files)
    test.addCleanup(made.remove)
    return made


class Tree:
    def __init__(self, files):
        self.root = tempfile.mkdtemp(prefix="linkloom-cli-")
        for relative, content in files.items():
            write(self.path(relative), content, MARCH_3)

    def path(self, *parts):
        return os.path.join(self.root, *parts)

    def remove(self):
        shutil.rmtree(self.root, ignore_errors=True)


class CliCase(unittest.TestCase):
    def ok(self, *args, **options):
        """Standard output and error of a run that must succeed."""
        code, out, err = run(*args, **options)
        self.assertEqual(code, 0, err)
        return out, err

    def fails(self, status, sentence, *args, **options):
        """Standard error of a run that must end with this status, say the sentence and write no output."""
        code, out, err = run(*args, **options)
        self.assertEqual((code, out), (status, b""), (args, err))
        self.assertIn(sentence, err)
        return err

    def ok_within_open_files(self, limit, *args):
        """Standard output of a run that must succeed, skipping nothing, with at most `limit` files open."""
        import resource
        result = subprocess.run(CLI + list(args), capture_output=True,
                                preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_NOFILE, (limit, limit)))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertNotIn(b"could not", result.stderr)
        return result.stdout

    def on_tree(self, *options, url="https://e.x/"):
        """A quiet run's arguments on the test's tree."""
        return ["-q", *options, native(self.tree.root), url]


def files(folder):
    """Every file of a folder by name, with its bytes."""
    return {name: read(os.path.join(folder, name)) for name in os.listdir(folder)}


def leftovers(folder):
    return [name for name in os.listdir(folder) if name.startswith(".linkloom")]


def locations(document):
    text = document.decode("utf-8")
    return [part.split("</loc>")[0] for part in text.split("<loc>")[1:]]


class CliTest(CliCase):
    def setUp(self):
        page = "<!DOCTYPE html><p>page</p>"
        self.tree = temp_tree(self, {"index.htm": page, "a b&c.php": page, "notes.txt": page,
                          "docs/guide.HTM": page, "docs/old/MyTemplate.htm": page})

    def test_writes_the_document_as_utf8_with_crlf(self):
        out, err = self.ok("-q", native(self.tree.root), "https://example.com")
        self.assertTrue(out.startswith(b'<?xml version="1.0" encoding="UTF-8"?> \r\n<urlset'))
        self.assertTrue(out.endswith(b"<!-- 4 files added -->\r\n</urlset>\r\n"))
        self.assertNotIn(b"\n", out.replace(b"\r\n", b""))
        self.assertEqual(locations(out), ["https://example.com/a%20b&amp;c.php", "https://example.com/docs/guide.HTM",
                                          "https://example.com/docs/old/MyTemplate.htm",
                                          "https://example.com/index.htm"])
        self.assertIn(b"<lastmod>2024-03-03</lastmod>", out)
        self.assertEqual(err, "")

    def test_options_adjust_the_flags_word(self):
        cases = [(["--no-subfolders"], 2), (["--skip-template-names"], 3), (["--ext", "txt"], 1),
                 (["--flags", "0"], 2), (["--flags", "0", "--ext", ".HTM php"], 2), (["--ext=htm"], 3)]
        for options, count in cases:
            out, _ = self.ok("-q", *options, native(self.tree.root), "https://example.com/")
            self.assertEqual(len(locations(out)), count, options)
        code, out, _ = run("-q", "--lastmod-time", native(self.tree.root), "https://example.com/")
        self.assertRegex(out.decode(), r"<lastmod>2024-03-0[234]T\d\d:\d\d:\d\d[+-]\d\d:\d\d</lastmod>")

    def test_rejected_runs_exit_with_their_status_and_sentence_and_write_nothing(self):
        site, url = native(self.tree.root), "https://e.x/"
        target, missing, docs = (self.tree.path(*name) for name in (["sitemap.xml"], ["no", "s.xml"], ["docs"]))
        write(target, b"earlier")
        cases = [(2, "please enter a valid path to scan for web files", [native(self.tree.path("missing")), url]),
                 (2, "FOLDER and URL are needed", [site]),
                 (2, "unknown option --bogus\n", ["--bogus=1", site, url]),
                 (2, "--flags needs a number", ["--flags", "-1", site, url]),
                 (2, "option -o needs a value", ["-o"]),
                 (2, "the state file name is empty", ["--state=", site, url]),
                 (2, "--gzip needs -o FILE", ["--gzip", site, url]),
                 (2, "invalid pattern 'docs/[x/y]'", ["--exclude", "docs/[x/y]", site, url]),
                 (2, "--split-by writes a sitemap file per section under an index: it needs -o FILE",
                  ["--split-by", "section", site, url]),
                 (2, "--check reads a sitemap and writes none", ["--check", "s.xml", "-o", "x.xml", site, url]),
                 (2, "--check reads a sitemap and writes none", ["--check", "s.xml", "--gzip", site, url]),
                 (2, "--state-hash needs content or bytes, not 'words'", ["--state-hash", "words", site, url]),
                 (2, "--changes needs --state FILE", ["--changes", "c.txt", site, url]),
                 (2, "--indexnow needs --state", ["--indexnow", "k3y-0123456789", site, url]),
                 (1, "no files match the criteria\ntry scanning a different folder or adjust search settings\n",
                  ["-o", native(target), "--ext", "asp", site, url]),
                 (3, "cannot write " + native(missing), ["-o", native(missing), site, url]),
                 (3, "cannot write " + native(docs), ["-o", native(docs), site, url])]
        for status, sentence, arguments in cases:
            self.fails(status, sentence, "-q", *arguments)
        self.assertEqual((read(target), leftovers(self.tree.root)), (b"earlier", []))
        self.assertTrue(os.path.isdir(docs))

    def test_text_sitemaps_list_one_url_a_line_in_parts_without_an_index(self):
        out, err = self.ok("-q", "--format", "txt", native(self.tree.root), "https://e.x/")
        self.assertEqual(err, "")
        self.assertEqual(out.decode().split("\n"), ["https://e.x/a%20b&c.php", "https://e.x/docs/guide.HTM",
                                                     "https://e.x/docs/old/MyTemplate.htm", "https://e.x/index.htm", ""])
        folder = scratch(self)
        _, err = self.ok(*self.on_tree("--format", "txt", "--max-urls", "3", "-o", native(os.path.join(folder, "s.txt"))))
        self.assertEqual(sorted(os.listdir(folder)), ["s-1.txt", "s-2.txt"])
        self.assertRegex(err, "a text sitemap has no index; its entries are in 2 files: .*s-2.txt\n")

    @unittest.skipUnless(shutil.which("xsltproc"), "needs xsltproc")
    def test_our_stylesheet_shows_an_index_and_its_parts_that_name_it(self):
        folder = scratch(self)
        stylesheet = os.path.join(folder, "map.xsl")
        self.assertEqual(run("--write-xsl", native(stylesheet))[0], 0)
        self.ok(*self.on_tree("--max-urls", "3", "--xsl", "/map.xsl?v=1&x", "-o", native(os.path.join(folder, "s.xml"))))
        written = files(folder)
        for name, shown in (("s.xml", ["https://e.x/s-1.xml", "https://e.x/s-2.xml"]),
                            ("s-2.xml", ["https://e.x/index.htm"])):
            self.assertTrue(written[name].startswith(b'<?xml version="1.0" encoding="UTF-8"?> \r\n'
                                                     b'<?xml-stylesheet type="text/xsl" href="/map.xsl?v=1&amp;x"?> \r\n'))
            html = subprocess.run(["xsltproc", stylesheet, os.path.join(folder, name)], capture_output=True,
                                  check=True).stdout.decode()
            for url in shown:
                self.assertIn('<a href="%s">%s</a>' % (url, url), html)

    def test_sections_each_have_a_sitemap_under_the_index(self):
        for name in ("Docs/a.htm", "docs/b.htm", "root/c.htm"):
            write(self.tree.path(name), "<!DOCTYPE html>")
        folder = scratch(self)
        _, err = self.ok(*self.on_tree("--split-by", "section", "--max-urls", "2", "--sitemap-url", "https://e.x/s.xml",
                                       "-o", native(os.path.join(folder, "s.xml"))))
        self.assertNotIn("taken to be", err)  # the set's URL is given
        self.assertEqual(locations(read(os.path.join(folder, "s.xml"))),
                         ["https://e.x/s-root.xml", "https://e.x/s-docs.xml", "https://e.x/s-docs_2-1.xml",
                          "https://e.x/s-docs_2-2.xml", "https://e.x/s-root_2.xml"])

    def test_more_sections_than_files_may_be_open(self):
        if emulated():
            self.skipTest("sets a POSIX limit on open files")
        for number in range(200):
            write(self.tree.path("s%03d" % number, "p.htm"), "<!DOCTYPE html>")
        folder = scratch(self)
        self.ok_within_open_files(64, *self.on_tree("--jobs", "1", "--split-by", "section", "--gzip", "-o",
                                                    os.path.join(folder, "s.xml")))
        written = files(folder)
        self.assertEqual(len(written), 203)  # the index, the top's and docs' sitemaps, one per s* folder
        self.assertEqual(locations(gzip.decompress(written["s-s199.xml.gz"])), ["https://e.x/s199/p.htm"])

    def test_explain_names_each_reason_and_counts(self):
        doctype = "<!DOCTYPE html><p>page</p>"
        tree = temp_tree(self, {"kept.htm": doctype, "notes.txt": doctype, "MyTemplate.htm": doctype,
                     "hidden.htm": doctype + '<meta name="robots" content="noindex">', "plain.htm": "<p>no</p>",
                     "empty.htm": "", "skip/x.htm": doctype, "old.htm": doctype})
        out, err = self.ok("-q", "--explain", "--require-doctype", "--skip-template-names", "--exclude", "old*",
                           "--exclude", "skip/", native(tree.root), "https://e.x/")
        self.assertEqual(locations(out), ["https://e.x/kept.htm"])
        self.assertEqual(err.splitlines(), [
            "left out: empty.htm (unreadable)", "left out: hidden.htm (noindex)",
            "left out: MyTemplate.htm (template name)", "left out: notes.txt (extension)",
            "left out: old.htm (excluded by old*)", "left out: plain.htm (no doctype)",
            "not entered: skip/ (excluded by skip/)",
            "7 files listed, 1 kept; left out: 1 unreadable, 1 noindex, 1 template name, 1 extension, "
            "1 excluded by old*, 1 no doctype; folders not entered: 1 excluded by skip/"])

    def test_file_times_in_the_future_are_explained_as_adjusted(self):
        # How each is written is the lastmod chooser's rule; here, that the run says so.
        for name, seconds in {"index.htm": MARCH_3, "tomorrow.htm": int(time.time()) + DAY}.items():
            write(self.tree.path(name), b"<p>page</p>", seconds)
        before = time.strftime("%Y-%m-%d")
        out, err = self.ok("--explain", "--ext", "htm", "--exclude", "docs/", native(self.tree.root), "https://e.x/")
        self.assertIn(re.search(r"tomorrow.htm</loc>\r\n <lastmod>([^<]*)<", out.decode()).group(1),
                      {before, time.strftime("%Y-%m-%d")})
        self.assertEqual(err.splitlines()[-2:], [
            "adjusted: tomorrow.htm (date later than the run's start, written as the start)",
            "4 files listed, 2 kept; left out: 2 extension; folders not entered: 1 excluded by docs/; "
            "1 date later than the run's start written as the start"])

    def test_explain_shows_control_characters_in_names_escaped(self):
        if len(CLI) > 1:
            self.skipTest("Windows names cannot hold control characters")
        tree = temp_tree(self, {"kept.htm": "<p>page</p>", "a\nleft out: forged.htm (noindex).txt": "x",
                     "b\x01\x1b[2Jc\\d.txt": "x", "sub\r\n/x.htm": "x"})
        out, err = self.ok("-q", "--explain", "--exclude", "sub\r\n/", native(tree.root), "https://e.x/")
        self.assertEqual(err.splitlines(), [
            "left out: a\\nleft out: forged.htm (noindex).txt (extension)",
            "left out: b\\x01\\x1B[2Jc\\d.txt (extension)",
            "not entered: sub\\r\\n/ (excluded by sub\\r\\n/)",
            "3 files listed, 1 kept; left out: 2 extension; folders not entered: 1 excluded by sub\\r\\n/"])
        self.fails(2, "invalid pattern '[\\n'\n", "-q", "--exclude", "[\n", native(tree.root), "https://e.x/")
        self.fails(2, "unknown option --bad\\x1B]0;x\\x07\n", "-q", "--bad\x1b]0;x\x07", native(tree.root),
                   "https://e.x/")

    def test_writes_the_same_files_as_the_native_build(self):
        if len(CLI) < 2 or not REFERENCE or not os.path.exists(REFERENCE):
            self.skipTest("only the emulated build is compared, and only with a native build beside it")
        write(self.tree.path("docs", "hidden.htm"), b'<meta name="robots" content="noindex">', MARCH_3)
        write(self.tree.path("docs", "wide caf\u00e9.htm"),
              b"\xff\xfe" + "<!DOCTYPE html><p>caf\u00e9</p>".encode("utf-16-le"), MARCH_3)
        # One folder for both, since the index names its parts at their URLs there.
        folder = self.tree.path("out")
        for options in (["--max-urls", "2"], ["--max-urls", "2", "--gzip"], ["--lastmod-time", "--skip-template-names"],
                        ["--folder-urls", "--drop-extensions", "htm", "--canonical", "--robots-meta", "--alternates"]):
            written = []
            for program, place in ((CLI, native), ([REFERENCE], str)):
                os.makedirs(folder)
                arguments = ["-q", *options, "-o", place(os.path.join(folder, "sitemap.xml")), place(self.tree.root)]
                self.assertEqual(subprocess.run(program + arguments + ["https://e.x/"], capture_output=True,
                                                timeout=120).returncode, 0, program)
                written.append(files(folder))
                shutil.rmtree(folder)
            self.assertEqual(written[0], written[1], options)

    def test_help_and_version(self):
        self.assertIn(b"linkloom-cli [OPTIONS] FOLDER URL", self.ok("--help")[0])
        self.assertEqual(self.ok("--version")[0].split()[0], b"linkloom-cli")


SITEMAP = "{http://www.sitemaps.org/schemas/sitemap/0.9}"
XHTML = "{http://www.w3.org/1999/xhtml}"
URI = re.compile(r"https://[a-z0-9.-]+/([A-Za-z0-9\-._~!$&'()*+,;=:@/?]|%[0-9A-F]{2})*\Z")


def entries(document):
    """Each <url> of a document that must parse as XML: its location, lastmod and (hreflang, href) pairs.
    Every location is checked to be a URI."""
    found = []
    for url in ElementTree.fromstring(document).findall(SITEMAP + "url"):
        location = url.find(SITEMAP + "loc").text
        alternates = [(link.get("hreflang"), link.get("href")) for link in url.findall(XHTML + "link")]
        for uri in [location] + [href for _, href in alternates]:
            assert URI.match(uri), uri
        found.append((location, url.find(SITEMAP + "lastmod").text, alternates))
    return found


def head(tags):
    return "<!DOCTYPE html><html><head>" + tags + "</head><body><p>text</p></body></html>"


class UrlRulesTest(CliCase):
    """The page rules' options in one run: each rule's own cases are the rules' unit tests'."""

    def setUp(self):
        self.tree = temp_tree(self, {
            "index.html": head('<link rel="alternate" hreflang="de" href="/de/"><link rel=alternate hreflang=de_DE href=/x>'),
            "docs/intro.htm": head(""),
            "docs/intro.html": head(""),
            "moved.html": head('<link rel="canonical" href="https://elsewhere.example/moved">'),
            "hidden.html": head('<meta name="robots" content="noindex">'),
            "404.html": head(""),
            "old.html": head('<meta http-equiv="refresh" content="0; url=/new/">'),
            "private/secret.html": head(""),
            "robots.txt": "user-agent: *\nDisallow: /private/\n",
        })
        self.out = scratch(self)

    def cli(self, *options):
        target = os.path.join(self.out, "sitemap.xml")
        _, err = self.ok("-q", "--ext", "htm,html", *options, "-o", native(target), native(self.tree.root),
                         "https://example.com/")
        return entries(read(target)), err

    def test_each_rule_leaves_out_merges_or_moves_its_pages_and_says_why(self):
        listed, err = self.cli("--folder-urls", "--drop-extensions", "htm,html", "--trailing-slash", "always",
                               "--canonical", "--robots-txt", "--robots-meta", "--alternates", "--skip-error-pages",
                               "--skip-redirects", "--explain")
        self.assertEqual(listed, [("https://example.com/docs/intro/", "2024-03-03", []),
                                  ("https://example.com/", "2024-03-03", [("de", "https://example.com/de/")])])
        for line in ("left out: docs/intro.html (same URL as docs/intro.htm)",
                     "left out: moved.html (canonical elsewhere: https://elsewhere.example/moved)",
                     "left out: private/secret.html (robots.txt: Disallow: /private/)",
                     "left out: hidden.html (robots meta)", "left out: 404.html (error page)",
                     "left out: old.html (redirects to https://example.com/new/)",
                     "ignored: index.html (alternate 'de_DE' '/x': not a language tag)",
                     "Sitemap: https://example.com/sitemap.xml",
                     "9 files listed, 2 kept; left out: 1 error page, 1 same URL, 1 robots meta, 1 canonical elsewhere, "
                     "1 redirects, 1 robots.txt, 1 extension; 1 link ignored"):
            self.assertIn("\n" + line + "\n", "\n" + err)
        # Once robots.txt names the sitemap, nothing is suggested; one that cannot be read is a warning.
        with open(self.tree.path("robots.txt"), "a") as robots:
            robots.write("Sitemap: https://EXAMPLE.com/sitemap.xml\n")
        self.assertNotIn("Sitemap:", self.cli("--robots-txt")[1])
        os.remove(self.tree.path("robots.txt"))
        os.makedirs(self.tree.path("robots.txt"))
        listed, err = self.cli("--robots-txt")
        self.assertEqual((len(listed), err.count("warning: cannot read robots.txt")), (7, 1), err)

    def test_images_are_listed_with_their_namespace_and_pass_the_check(self):
        site = temp_tree(self, {"a.html": head('<meta property="og:image" content="/og.png">') + '<img src="x.png">',
                     "b.html": head("")})
        target = os.path.join(self.out, "sitemap.xml")
        run_on_site = lambda *options: self.ok("-q", "--ext", "html", *options, native(site.root), "https://e.x/")
        run_on_site("--images", "-o", native(target))
        image = "{http://www.google.com/schemas/sitemap-image/1.1}"
        self.assertEqual([[loc.text for loc in url.iter(image + "loc")] for url in ElementTree.fromstring(read(target))],
                         [["https://e.x/og.png", "https://e.x/x.png"], []])
        self.assertIn("in step", run_on_site("--images", "--check", native(target))[1])
        self.assertNotIn(b"xmlns:image", run_on_site()[0])


def as_other_user():
    """The command prefix that runs the program as a user other than the files' owner, or None."""
    if os.getuid() != 0:
        return []
    runuser = shutil.which("runuser")
    return [runuser, "-u", "nobody", "--"] if runuser else None


class WalkTest(CliCase):
    """What the walk meets: folders given as paths, what cannot be read, links, long locations."""

    def setUp(self):
        page = "<!DOCTYPE html><p>page</p>"
        self.tree = temp_tree(self, {"index.htm": page, "docs/a.htm": page, "docs/hidden.htm": page + "<!-- noindex -->",
                          "docs/empty.htm": "", "old/b.php": page, "old/deep/c.htm": page})

    def test_the_folder_is_a_path_taken_as_given(self):
        if len(CLI) > 1:
            self.skipTest("Windows names hold no '|', and its paths drop leading blanks themselves")
        for name in ("a|b", " lead"):
            write(self.tree.path(name, "x.htm"), b"<p>x</p>")
            code, out, err = run("-q", self.tree.path(name), "https://e.x/")
            self.assertEqual((code, locations(out)), (0, ["https://e.x/x.htm"]), err)
        self.fails(2, "please enter a valid path to scan for web files: " + self.tree.path("a"), "-q",
                   self.tree.path("a"), "https://e.x/")

    def test_what_cannot_be_read_is_said_and_an_unreadable_folder_is_rejected(self):
        prefix = as_other_user()
        if prefix is None or len(CLI) > 1:
            self.skipTest("needs another user to lose the right to read, and POSIX permissions")
        for parent, _, names in os.walk(self.tree.root):
            os.chmod(parent, 0o755)
            for name in names:
                os.chmod(os.path.join(parent, name), 0o644)
        os.chmod(self.tree.path("docs", "hidden.htm"), 0o600)
        os.chmod(self.tree.path("old", "deep"), 0o700)

        def run_as_other(*args):
            result = subprocess.run(prefix + CLI + list(args), capture_output=True, stdin=subprocess.DEVNULL, timeout=120)
            return result.returncode, result.stdout, result.stderr.decode("utf-8", "replace")

        code, out, err = run_as_other("-q", self.tree.root, "https://e.x/")
        if code == 126 or "Permission denied" in err and not out:
            self.skipTest("the other user cannot run the program from here")
        self.assertEqual(code, 0, err)
        self.assertEqual(locations(out), ["https://e.x/docs/a.htm", "https://e.x/index.htm", "https://e.x/old/b.php"])
        self.assertEqual(err, "1 folder and 1 page could not be read; --explain lists them\n")
        code, out, err = run_as_other("-q", "--explain", self.tree.root, "https://e.x/")
        self.assertIn("left out: docs/hidden.htm (unreadable: Permission denied)", err)
        self.assertIn("not entered: old/deep/ (cannot be listed: Permission denied)", err)
        self.assertNotIn("could not be read", err)
        code, out, err = run_as_other("-q", self.tree.path("old", "deep"), "https://e.x/")
        self.assertEqual((code, out), (2, b""))
        self.assertEqual(err, "cannot read the folder %s: Permission denied\n" % self.tree.path("old", "deep"))

    def test_links_devices_names_and_long_locations(self):
        # Each folder is walked once wherever links lead. Under Wine these links stand in for
        # junctions, which this Wine cannot make (setting a mount point fails as not supported): it
        # shows a link made on the Linux side as a plain folder, so only the folders' identities can
        # tell that the walk comes back.
        os.symlink(self.tree.root, self.tree.path("docs", "loop"))
        os.symlink(self.tree.path("old"), self.tree.path("docs", "same"))
        # Names of Windows devices come from shares and other systems: they are pages, never devices.
        devices = ["COM1.htm", "aux.html", "CON.htm", "NUL.htm", "LPT1.htm", "CON./p.htm"]
        for name in devices:
            write(self.tree.path(*name.split("/")), b"<!DOCTYPE html><p>page</p>")
        write(os.path.join(self.tree.root, *["n" * 200] * 11 + ["far.htm"]), b"<p>far</p>")
        expected = ["docs/a.htm", "docs/same/b.php", "docs/same/deep/c.htm", "index.htm"] + devices
        for options, unread in (([], []), (["--include-noindex"], ["docs/empty.htm", "docs/hidden.htm"])):
            out, err = self.ok(*self.on_tree("--ext", "htm,html,php", *options), timeout=30)
            self.assertEqual(sorted(locations(out)), sorted("https://e.x/" + name for name in expected + unread))
            self.assertIn("warning: 1 page left out: URL longer than 2,048 characters", err)
        _, err = self.ok("-q", "--explain", native(self.tree.root), "https://e.x/")
        self.assertIn("not entered: docs/loop/ (already walked)", err)
        self.assertIn("not entered: old/ (already walked)", err)

class OutputSafetyTest(CliCase):
    """-o and standard output on a hostile folder and a faulty machine."""

    def setUp(self):
        page = "<!DOCTYPE html><p>page</p>"
        self.tree = temp_tree(self, {"index.htm": page, "a.htm": page, "b.htm": page, "c.htm": page})
        self.out = self.tree.path("out")
        os.makedirs(self.out)

    def arguments(self, target, *options, url="https://e.x/"):
        return self.on_tree(*options, "-o", native(target), url=url)

    def test_the_runs_own_files_inside_the_folder_are_never_entries(self):
        state = self.tree.path("state.txt")
        for limit in ("1", "50000"):
            for _ in range(2):
                _, err = self.ok(*self.arguments(self.tree.path("sitemap.xml"), "--explain", "--ext", "htm,xml,txt",
                                                 "--max-urls", limit, "--state", native(state)))
            listed = []
            for name in os.listdir(self.tree.root):
                text = read(self.tree.path(name)) if name.startswith("sitemap") else b""
                if b"<urlset" in text:
                    listed += locations(text)
            self.assertIn("https://e.x/a.htm", listed)
            self.assertFalse([url for url in listed if url.split("/")[-1].startswith(("sitemap", "state"))], listed)
            self.assertIn("left out: state.txt (the output)", err)
            self.assertIn("left out: sitemap.xml (the output)", err)
            # The split set's parts are its own too.
            self.assertEqual("left out: sitemap-1.xml (the output)" in err, limit == "1")

    def test_output_onto_a_link_replaces_what_it_leads_to(self):
        real = self.tree.path("real")
        os.makedirs(real)
        link = os.path.join(self.out, "site.xml")
        os.symlink("../real/target.xml", link)
        write(os.path.join(real, "target.xml"), b"old")
        self.ok(*self.arguments(link))
        self.assertEqual(os.readlink(link), "../real/target.xml")
        self.assertEqual(len(locations(files(real)["target.xml"])), 4)
        # Split: the index where the link leads, the parts beside the link as the index names them.
        self.ok(*self.arguments(link, "--max-urls", "3"))
        self.assertEqual(locations(files(real)["target.xml"]),
                         ["https://e.x/out/site-1.xml", "https://e.x/out/site-2.xml"])
        self.assertEqual(sorted(os.listdir(self.out)), ["site-1.xml", "site-2.xml", "site.xml"])
        self.assertEqual(os.listdir(real), ["target.xml"])
        if emulated():
            return  # Wine opens no link to a file that is not there, so it cannot follow one
        # A link to a file not there yet.
        os.symlink("../real/new.xml", os.path.join(self.out, "new.xml"))
        self.ok(*self.arguments(os.path.join(self.out, "new.xml")))
        self.assertTrue(os.path.islink(os.path.join(self.out, "new.xml")))
        self.assertEqual(len(locations(files(real)["new.xml"])), 4)

    def test_a_fifo_is_written_into_as_it_is_and_never_split(self):
        fifo = os.path.join(self.out, "pipe.xml")
        os.mkfifo(fifo)
        received = []

        # A daemon: a reader left waiting by a program that replaced the FIFO does not hold the tests.
        reader = threading.Thread(target=lambda: received.append(read(fifo)), daemon=True)
        reader.start()
        _, err = self.ok(*self.arguments(fifo, "--max-urls", "2"))
        reader.join(10)
        self.assertEqual(len(received), 1, "nothing came through the FIFO")
        self.assertEqual(len(locations(received[0])), 4)
        self.assertTrue(received[0].endswith(b"</urlset>\r\n"))
        self.assertIn("warning: the sitemap holds 4 entries", err)
        self.assertTrue(stat.S_ISFIFO(os.lstat(fifo).st_mode))
        self.assertEqual(os.listdir(self.out), ["pipe.xml"])

    def test_standard_output_that_takes_no_bytes_fails_the_run(self):
        arguments = CLI + ["-q", native(self.tree.root), "https://e.x/"]
        closed = lambda: os.close(1)
        # The pipe's reader has gone, as with `| head`: SIGPIPE is left as a fresh process has it.
        for name, prepare in [("/dev/full", None), ("closed", closed), ("pipe without reader", None)]:
            read, write = os.pipe()
            os.close(read)
            with open("/dev/full", "wb") as full:
                stdout = full if name == "/dev/full" else write
                result = subprocess.run(arguments, stdout=stdout, stderr=subprocess.PIPE, stdin=subprocess.DEVNULL,
                                        preexec_fn=prepare, timeout=120)
            os.close(write)
            self.assertEqual(result.returncode, 3, name)
            self.assertIn(b"cannot write standard output", result.stderr, name)
        with open("/dev/full", "wb") as full:
            self.assertEqual(subprocess.run(CLI + ["--help"], stdout=full, timeout=120).returncode, 3)

    def test_closed_standard_error_keeps_explanations_out_of_the_files(self):
        for name in ("d.txt", "e.txt", "f.txt", "g/h.txt"):
            write(self.tree.path(name), b"left out")
        target = os.path.join(self.out, "sitemap.xml")
        arguments = CLI + ["-q", "--explain", "--require-doctype", "-o", native(target), native(self.tree.root),
                           "https://e.x/"]
        self.assertEqual(subprocess.run(arguments, capture_output=True, timeout=120).returncode, 0)
        expected = files(self.out)
        result = subprocess.run(arguments, stdout=subprocess.PIPE, preexec_fn=lambda: os.close(2), timeout=120)
        self.assertEqual(result.returncode, 0)
        self.assertEqual(files(self.out), expected)
        # Standard error into a pipe whose reader has gone (`2>&1 | head`): the files are still written.
        os.remove(target)
        reader, writer = os.pipe()
        os.close(reader)
        result = subprocess.run(arguments, stdout=subprocess.DEVNULL, stderr=writer, timeout=120)
        os.close(writer)
        self.assertEqual(result.returncode, 0)
        self.assertEqual(files(self.out), expected)

    def test_a_switch_that_fails_midway_leaves_the_earlier_set(self):
        target = os.path.join(self.out, "s.xml")
        self.ok(*self.arguments(target, "--max-urls", "1"))
        earlier = files(self.out)
        frozen = os.path.join(self.out, "s-3.xml")
        if subprocess.run(["chattr", "+i", frozen], capture_output=True).returncode != 0:
            self.skipTest("no immutable files here")
        try:
            err = self.fails(3, "cannot write", *self.arguments(target, "--max-urls", "1", url="https://other.x/"))
        finally:
            subprocess.run(["chattr", "-i", frozen], check=True)
        self.assertIn("s-3.xml", err)
        self.assertEqual(files(self.out), earlier)


class LargeTreeTest(CliCase):
    """Runs on 20,000 pages: memory with many parts, signals and kills during a run."""

    @classmethod
    def setUpClass(cls):
        cls.tree = Tree({})
        for folder in range(20):
            for page in range(1000):
                write(cls.tree.path("d%02d" % folder, "p%04d.htm" % page), b"<p>page</p>")

    @classmethod
    def tearDownClass(cls):
        cls.tree.remove()

    def setUp(self):
        self.out = scratch(self)

    def arguments(self, target, *options, folder=None, url="https://e.x/"):
        return ["-q", *options, "-o", native(target), native(folder or self.tree.root), url]

    def test_gzip_memory_does_not_grow_with_the_parts(self):
        # Memory the address sanitizer holds back after it is freed would count as resident.
        sanitizer = ":".join(filter(None, [os.environ.get("ASAN_OPTIONS"), "quarantine_size_mb=0"]))
        process = start(*self.arguments(os.path.join(self.out, "s.xml"), "--gzip", "--max-urls", "8"),
                        env=dict(os.environ, ASAN_OPTIONS=sanitizer))
        err = process.stderr.read()
        process.stdout.read()
        _, status, usage = os.wait4(process.pid, 0)
        process.returncode = os.waitstatus_to_exitcode(status)
        self.assertEqual(process.returncode, 0, err)
        self.assertEqual(len(os.listdir(self.out)), 2501)
        self.assertLess(usage.ru_maxrss, 100 * 1024, "peak resident size in KiB")

    def wait_for_part(self, earlier):
        """Until the run has begun its first file: a new name, not one of the locks taken at the start."""
        deadline = time.monotonic() + 60
        while all(re.fullmatch(r"\.linkloom(-[0-9a-z]{8}|\.lock)", name)
                  for name in set(os.listdir(self.out)) - set(earlier)):
            self.assertLess(time.monotonic(), deadline, "no temporary file appeared")
            time.sleep(0.002)

    def test_signals_end_the_run_without_writing_or_write_what_was_found(self):
        target = os.path.join(self.out, "s.xml")
        _, err = self.ok(*self.arguments(target, "--max-urls", "400", folder=self.tree.path("d00")))
        earlier = files(self.out)
        stops = [(signal.SIGINT, 130)]
        if not emulated():
            stops = [(signal.SIGTERM, 143), (signal.SIGHUP, 129)] + stops
        for number, status in stops:
            process = start(*self.arguments(target, "--max-urls", "400"))
            self.wait_for_part(earlier)
            process.send_signal(number)
            _, err = process.communicate(timeout=120)
            err = err.decode()
            self.assertEqual(process.returncode, status, (number, err))
            self.assertEqual(leftovers(self.out), [])
            if number != signal.SIGINT:
                self.assertIn("terminated", err)
                self.assertEqual(files(self.out), earlier)
                continue
            written = int(re.search(r"cancelled: (\d+) entries written", err).group(1))
            documents = files(self.out)
            index = locations(documents["s.xml"]) if len(documents) > 1 else []
            self.assertEqual(sorted(documents), sorted(["s.xml"] + [url.split("/")[-1] for url in index]))
            self.assertEqual(sum(len(locations(text)) for name, text in documents.items() if name != "s.xml" or
                                 not index), written)
            for text in documents.values():
                ElementTree.fromstring(text)

    def test_sigterm_ends_a_run_blocked_on_a_full_pipe(self):
        if emulated():
            self.skipTest("Wine passes no SIGTERM to the program")
        read, write = os.pipe()
        process = subprocess.Popen(CLI + ["-q", native(self.tree.root), "https://e.x/"], stdin=subprocess.DEVNULL,
                                   stdout=write, stderr=subprocess.PIPE)
        os.close(write)
        # The pipe is full and nothing reads it: the program waits in a write.
        deadline = time.monotonic() + 60
        while struct.unpack("i", fcntl.ioctl(read, termios.FIONREAD, b"\0" * 4))[0] < 65536:
            self.assertLess(time.monotonic(), deadline, "the pipe did not fill")
            time.sleep(0.01)
        time.sleep(0.2)
        process.send_signal(signal.SIGTERM)
        try:
            status = process.wait(timeout=10)
        finally:
            with os.fdopen(read, "rb") as pipe:
                written = pipe.read()
        self.assertEqual(status, 143)
        self.assertIn(b"terminated", process.stderr.read())
        self.assertNotIn(b"</urlset>", written)
        self.assertLess(len(written), 65536 * 2)

    def test_ctrl_c_before_the_first_entry_is_a_cancel(self):
        # Nothing matches, so the walk never writes an entry; each file it passes is explained,
        # and the first such line says the walk is under way.
        process = start("-q", "--explain", "--ext", "nomatch", native(self.tree.root), "https://e.x/")
        self.assertTrue(process.stderr.readline().startswith(b"left out: "))
        process.send_signal(signal.SIGINT)
        out, err = process.communicate(timeout=120)
        self.assertEqual((process.returncode, out), (130, b""))
        # The line read above was the last before the stop when the signal came at once.
        self.assertIn("\ncancelled\n", "\n" + err.decode().replace("\r\n", "\n"))
        self.assertNotIn("no files match", err.decode())

    def test_a_run_killed_at_any_moment_leaves_a_whole_set_once_the_next_starts(self):
        folder = self.tree.path("d00")
        target = os.path.join(self.out, "s.xml")

        def generation():
            """The one root URL of the whole set in place."""
            self.assertEqual(leftovers(self.out), [])
            documents = files(self.out)
            roots = set()
            named = [url.split("/")[-1] for url in locations(documents["s.xml"])]
            self.assertEqual(sorted(documents), sorted(["s.xml"] + named))
            for text in documents.values():
                ElementTree.fromstring(text)
                roots.update(url.split("/")[2] for url in locations(text))
            self.assertEqual(len(roots), 1, roots)
            return roots.pop()

        began = time.monotonic()
        self.assertEqual(run(*self.arguments(target, "--max-urls", "4", folder=folder, url="https://g0.x/"))[0], 0)
        duration = time.monotonic() - began
        random.seed(15)
        current = "g0.x"
        for attempt in range(1, 7 if emulated() else 13):
            process = start(*self.arguments(target, "--max-urls", "4", folder=folder, url="https://g%d.x/" % attempt))
            if attempt % 2:
                time.sleep(random.uniform(0, duration * 1.2))
            else:
                # Within the switch, which takes a small share of the run: once its journal is there.
                while process.poll() is None and not any(name.endswith(".journal") for name in leftovers(self.out)):
                    time.sleep(0.0005)
                time.sleep(random.uniform(0, 0.01))
            process.kill()
            process.communicate()
            # The next run, which finds no files, still puts the folder right first.
            self.assertEqual(run(*self.arguments(target, "--ext", "none", folder=folder))[0], 1)
            found = generation()
            self.assertIn(found, (current, "g%d.x" % attempt))
            current = found


def git(folder, *args, date=None):
    environment = dict(os.environ, GIT_AUTHOR_NAME="a", GIT_AUTHOR_EMAIL="a@e.x", GIT_COMMITTER_NAME="a",
                       GIT_COMMITTER_EMAIL="a@e.x")
    if date:
        environment.update(GIT_AUTHOR_DATE=date, GIT_COMMITTER_DATE=date)
    subprocess.run(["git", "-C", folder] + list(args), check=True, capture_output=True, env=environment)


def commit(folder, date):
    """Commits everything in the work tree at that date."""
    git(folder, "add", ".")
    git(folder, "commit", "-qm", date, date=date)


SETTLED = 1609502400  # 2021-01-01 12:00 UTC


def settle(folder):
    """Sets a work tree's files back in time and lets git record them again, so that none was
    written in the same clock tick as git's index (such a file counts as changed)."""
    for parent, folders, names in os.walk(folder):
        folders[:] = [name for name in folders if name != ".git"]
        for name in names:
            os.utime(os.path.join(parent, name), (SETTLED, SETTLED))
    subprocess.run(["git", "-C", folder, "update-index", "-q", "--really-refresh"], capture_output=True)


def lastmods(document):
    """Each location's lastmod, None where the entry has none."""
    found = {}
    for part in document.decode("utf-8").split("<url>")[1:]:
        location = part.split("<loc>")[1].split("</loc>")[0]
        found[location.rsplit("/", 1)[1]] = part.split("<lastmod>")[1].split("</lastmod>")[0] if "<lastmod>" in part else None
    return found


class LastmodTest(CliCase):
    PAGE = "<!DOCTYPE html><html><head>%s</head><body>page</body></html>"

    def setUp(self):
        self.tree = temp_tree(self, {})

    def page(self, name, head="", when=MARCH_3):
        write(self.tree.path(name), self.PAGE % head, when)

    def dates(self, *options, folder=None, env=None):
        out, err = self.ok("-q", "--ext", "htm", *options, native(folder or self.tree.root), "https://e.x/", env=env)
        return lastmods(out), err

    def test_a_date_most_pages_share_is_warned_of_once_and_counted(self):
        for number in range(20):
            self.page("p%02d.htm" % number, when=MARCH_3 + (0 if number < 15 else number * DAY))
        _, err = self.dates("--lastmod", "meta,mtime", "--explain")
        self.assertEqual(err.count("warning: 15 of 20 entries have the lastmod 2024-03-03"), 1, err)
        self.assertIn("; 15 of 20 lastmods on 2024-03-03\n", err)

    def need_git(self):
        if emulated() or shutil.which("git") is None:
            self.skipTest("git dates are read by the native program, with git on the PATH")

    def test_a_walk_waiting_for_git_keeps_few_folders_open(self):
        self.need_git()
        for number in range(1500):
            self.page("f%04d/p.htm" % number)
        git(self.tree.root, "init", "-q")
        commit(self.tree.root, "2020-01-02T12:00:00Z")
        for jobs in ("1", "2"):
            out = self.ok_within_open_files(128, "-q", "--jobs", jobs, "--ext", "htm", "--lastmod", "git,mtime",
                                            self.tree.root, "https://e.x/")
            self.assertEqual(set(lastmods(out).values()), {"2020-01-02"})
            self.assertEqual(len(locations(out)), 1500)

    def test_git_missing_outside_a_work_tree_or_unreadable_warns_once_and_takes_the_next_source(self):
        self.page("a.htm")
        # Wine's programs have a PATH of their own, on which there is no git.
        path = os.environ["PATH"] if emulated() else self.tree.root
        self.assertEqual(self.dates("--lastmod", "git,none", env=dict(os.environ, PATH=path)),
                         ({"a.htm": None}, "warning: git is not on the PATH; pages get no lastmod\n"))
        self.need_git()
        # GIT_CEILING_DIRECTORIES keeps git from finding a repository above the temporary folder.
        ceiling = dict(os.environ, GIT_CEILING_DIRECTORIES=os.path.dirname(self.tree.root))

        def warns_once(words):
            found, err = self.dates("--lastmod", "git,mtime", env=ceiling)
            self.assertEqual((found, len(err.splitlines())), ({"a.htm": "2024-03-03"}, 1), err)
            self.assertIn(words, err)

        warns_once("not in a git work tree")
        git(self.tree.root, "init", "-q")
        commit(self.tree.root, "2020-01-02T12:00:00Z")
        for folder, _, names in os.walk(self.tree.path(".git", "objects")):
            for name in names:
                os.chmod(os.path.join(folder, name), 0o644)
                write(os.path.join(folder, name), b"not an object")
        warns_once("git cannot read the history")

    def test_a_shallow_clone_takes_the_next_source_omits_or_fails_for_files_of_its_oldest_commit(self):
        self.need_git()
        origin = self.tree.path("origin")
        os.makedirs(origin)
        git(origin, "init", "-q")
        commits = [("p0", "2018-01-01T12:00:00Z"), ("p1", "2019-01-01T12:00:00Z"), ("p2", "2020-01-01T12:00:00Z"),
                   ("p0", "2022-01-01T12:00:00Z")]
        for number, (name, date) in enumerate(commits):
            write(os.path.join(origin, name + ".htm"), "page %d" % number)
            commit(origin, date)
        # The suggested command is pasted into a shell: the folder's name must reach git as it is.
        clone = self.tree.path("clone $(touch x) it's")
        subprocess.run(["git", "clone", "-q", "--depth", "2", "file://" + origin, clone], check=True,
                       capture_output=True)
        settle(clone)  # file times 2021-01-01
        # p1 and p2 carry the date of the clone's oldest commit (2020), not of their change.
        found, err = self.dates("--lastmod", "git,mtime", folder=clone)
        self.assertEqual(found, {"p0.htm": "2022-01-01", "p1.htm": "2021-01-01", "p2.htm": "2021-01-01"})
        self.assertIn("shallow: pages whose last commit in it is its oldest take the next source", err)
        command = err.split("with: git ")[1].strip()
        words = subprocess.run(["sh", "-c", "printf '%s\\n' " + command], capture_output=True, text=True,
                               cwd=origin).stdout
        self.assertEqual(words.splitlines(), ["-C", os.path.join(clone, ""), "fetch", "--unshallow"])
        self.assertEqual(len(err.splitlines()), 1, err)
        found, err = self.dates("--lastmod", "git,mtime", "--shallow", "omit", folder=clone)
        self.assertEqual(found, {"p0.htm": "2022-01-01", "p1.htm": None, "p2.htm": None})
        self.assertIn("get no lastmod", err)
        out = self.tree.path("sitemap.xml")
        self.fails(2, "p1.htm was last changed in its oldest commit or before (--shallow fail)", "-q", "--ext", "htm",
                   "--lastmod", "git,mtime", "--shallow", "fail", "-o", native(out), native(clone), "https://e.x/")
        self.assertFalse(os.path.exists(out))

    def test_each_file_gets_the_date_git_log_gives_it_or_its_own_time_when_it_differs_from_the_commit(self):
        self.need_git()
        root = self.tree.root
        git(root, "init", "-q", "-b", "main")
        for name in ("a.htm", "b.htm", "c.htm", "old.htm", "gone.htm", "with space é.htm", "sub/ça va.htm",
                     "edited.htm", "staged.htm"):
            self.page(name)
        commit(root, "2020-01-01T12:00:00Z")
        git(root, "checkout", "-qb", "side")
        for name in ("a.htm", "b.htm", "c.htm"):
            self.page(name, "<title>side</title>")
        git(root, "mv", "old.htm", "renamed.htm")
        git(root, "commit", "-qam", "side", date="2020-02-01T12:00:00Z")
        git(root, "checkout", "-q", "main")
        self.page("a.htm", "<title>main</title>")
        git(root, "rm", "-q", "gone.htm")
        git(root, "commit", "-qam", "main", date="2020-03-01T12:00:00Z")
        # A conflict resolved by new text in a.htm; side's change to c.htm left out by the merge.
        subprocess.run(["git", "-C", root, "merge", "-q", "--no-commit", "side"], capture_output=True)
        self.page("a.htm", "<title>both</title>")
        git(root, "checkout", "main", "--", "c.htm")
        commit(root, "2020-04-01T12:00:00Z")
        self.page("gone.htm", "<title>back</title>")
        commit(root, "2020-05-01T12:00:00Z")
        settle(root)
        # edited.htm keeps its time, so only its size tells.
        self.page("edited.htm", "<title>new</title>", when=SETTLED)
        self.page("staged.htm", "<title>new</title>")
        git(root, "add", "staged.htm")
        self.page("untracked.htm")
        logged = {name: subprocess.run(["git", "-C", root, "log", "-1", "--format=%cs", "--", name], check=True,
                                       capture_output=True, text=True).stdout.strip()
                  for name in ("a.htm", "b.htm", "c.htm", "renamed.htm", "gone.htm", "with space é.htm")}
        self.assertEqual(logged, {"a.htm": "2020-04-01", "b.htm": "2020-02-01", "c.htm": "2020-01-01",
                                  "renamed.htm": "2020-02-01", "gone.htm": "2020-05-01", "with space é.htm": "2020-01-01"})
        expected = dict(logged, **{"edited.htm": "2021-01-01", "staged.htm": "2024-03-03", "untracked.htm": "2024-03-03",
                                   "%C3%A7a%20va.htm": "2020-01-01"})
        expected["with%20space%20%C3%A9.htm"] = expected.pop("with space é.htm")
        # Each form of git's index.
        for version in ("2", "3", "4"):
            git(root, "update-index", "--index-version", version)
            self.assertEqual(self.dates("--lastmod", "git,mtime"), (expected, ""))
        # Run on a folder below the top of the work tree, the paths are the folder's own.
        self.assertEqual(self.dates("--lastmod", "git,none", folder=self.tree.path("sub"))[0],
                         {"%C3%A7a%20va.htm": "2020-01-01"})
        # A commit undone, its change kept staged: the index's cached trees, whole again after the
        # commit, make that commit's tree, not the one checked out.
        self.page("b.htm", "<title>three</title>")
        git(root, "commit", "-qam", "three", date="2022-01-02T12:00:00Z")
        git(root, "reset", "-q", "--soft", "HEAD~1")
        found, _ = self.dates("--lastmod", "git,mtime")
        self.assertEqual((found["b.htm"], found["renamed.htm"]), ("2024-03-03", "2020-02-01"))

    def test_nothing_the_repository_or_the_caller_sets_up_runs(self):
        """Every program a repository's configuration, attributes or hooks, the caller's git
        variables or a PATH naming the current folder could start is planted; none may run."""
        self.need_git()
        marks = self.tree.path("marks")
        other = self.tree.path("other")
        planted = self.tree.path("planted")
        for folder in (marks, other, planted):
            os.makedirs(folder)

        def plant(name, folder=planted):
            path = os.path.join(folder, name)
            write(path, "#!/bin/sh\ntouch '%s'\ncat\n" % os.path.join(marks, name))
            os.chmod(path, 0o755)
            return path

        site = self.tree.path("site")
        for name in ("a.htm", "b.htm", "kept.htm"):
            self.page(os.path.join("site", name))
        git(site, "init", "-q")
        commit(site, "2020-01-02T12:00:00Z")
        included = self.tree.path("included.config")
        write(included, "[diff]\n\texternal = %s\n[core]\n\tfsmonitor = %s\n" % (plant("include"), plant("include-fs")))
        hooks = self.tree.path("hooks")
        os.makedirs(hooks)
        for hook in ("post-index-change", "reference-transaction", "post-checkout", "pre-auto-gc", "fsmonitor-watchman"):
            plant(hook, hooks)
        settings = {"core.fsmonitor": plant("fsmonitor"), "filter.x.clean": plant("clean"),
                    "filter.x.smudge": plant("smudge"), "filter.y.process": plant("process"),
                    "diff.external": plant("external"), "diff.t.textconv": plant("textconv"),
                    "diff.t.command": plant("diff-command"), "core.pager": plant("pager"), "pager.log": plant("pager-log"),
                    "gpg.program": plant("gpg"), "log.showSignature": "true", "core.hooksPath": hooks,
                    "core.sshCommand": plant("ssh"), "credential.helper": plant("credential"), "include.path": included}
        for key, value in settings.items():
            git(site, "config", key, value)
        write(os.path.join(site, ".gitattributes"), "*.htm filter=x diff=t\nb.htm filter=y\n")
        # A copied tree: the index's stat data no longer match a.htm and b.htm.
        for name in ("a.htm", "b.htm"):
            os.utime(os.path.join(site, name), (1709553600, 1709553600))
        git(other, "init", "-q")
        git(other, "config", "core.fsmonitor", plant("other-fsmonitor"))
        plant("git")
        caller = {"GIT_DIR": os.path.join(other, ".git"), "GIT_WORK_TREE": other,
                  "GIT_INDEX_FILE": os.path.join(other, "index"), "GIT_EXTERNAL_DIFF": plant("env-diff"),
                  "GIT_CONFIG_COUNT": "1", "GIT_CONFIG_KEY_0": "core.fsmonitor", "GIT_CONFIG_VALUE_0": plant("env-fs"),
                  "PATH": ":.:" + os.environ["PATH"]}
        out, err = self.ok("-q", "--ext", "htm", "--lastmod", "git,mtime", site, "https://e.x/", cwd=planted,
                           env=dict(os.environ, **caller))
        self.assertEqual(err, "")
        self.assertEqual(os.listdir(marks), [])
        self.assertEqual(lastmods(out), {"a.htm": "2024-03-04", "b.htm": "2024-03-04", "kept.htm": "2020-01-02"})

    def test_a_stop_ends_a_git_that_does_not_answer_at_once(self):
        if emulated():
            self.skipTest("git runs under the native program only")
        self.page("a.htm")
        slow = self.tree.path("bin")
        os.makedirs(slow)
        write(os.path.join(slow, "git"), "#!/bin/sh\nsleep 30 >&2 &\nsleep 30\n")
        os.chmod(os.path.join(slow, "git"), 0o755)
        process = start("-q", "--ext", "htm", "--lastmod", "git,mtime", self.tree.root, "https://e.x/",
                        env=dict(os.environ, PATH=slow + os.pathsep + os.environ["PATH"]))
        time.sleep(0.5)
        begun = time.monotonic()
        process.send_signal(signal.SIGTERM)
        process.communicate(timeout=10)
        self.assertEqual(process.returncode, 143)
        self.assertLess(time.monotonic() - begun, 3)


class CheckTest(CliCase):
    HEAD = '<?xml version="1.0" encoding="UTF-8"?>\n<urlset xmlns="http://www.sitemaps.org/schemas/sitemap/0.9">\n'

    def setUp(self):
        self.tree = temp_tree(self, {"a.htm": "a", "b.htm": "b", "sub/c.htm": "c"})
        self.out = scratch(self, "linkloom-check-")

    def check(self, name, *options):
        """The exit status and lines of standard error; the most memory the program held is kept."""
        process = start(*self.on_tree(*options, "--check", native(os.path.join(self.out, name))))
        # Both streams read at once, so that neither fills while the other is waited on.
        errors = []
        reader = threading.Thread(target=lambda: errors.append(process.stderr.read()))
        reader.start()
        out = process.stdout.read()
        reader.join()
        err = errors[0]
        _, status, usage = os.wait4(process.pid, 0)
        process.returncode = os.waitstatus_to_exitcode(status)
        self.most_memory = usage.ru_maxrss
        self.assertEqual(out, b"")
        return process.returncode, err.decode("utf-8", "replace").replace("\r\n", "\n").splitlines()

    def write(self, name, text):
        write(os.path.join(self.out, name), text)

    def publish(self, *options):
        self.ok(*self.on_tree(*options, "-o", native(os.path.join(self.out, "s.xml"))))

    def test_a_sitemap_in_step_then_missing_extra_and_stale_pages(self):
        self.publish()
        code, lines = self.check("s.xml")
        self.assertEqual((code, lines), (0, ["in step: the sitemap is valid and lists the 3 pages of the site"]))
        os.remove(self.tree.path("b.htm"))
        write(self.tree.path("new.htm"), "new", MARCH_3)
        os.utime(self.tree.path("a.htm"), (MARCH_3 + DAY, MARCH_3 + DAY))
        code, lines = self.check("s.xml")
        self.assertEqual(code, 4)
        self.assertEqual(lines, ["stale: https://e.x/a.htm (sitemap 2024-03-03, site 2024-03-04)",
                                 "extra: https://e.x/b.htm", "missing: https://e.x/new.htm", "3 findings"])
        # The same options as the run: with the time of day, a later time on the same day is stale.
        self.publish("--lastmod-time")
        os.utime(self.tree.path("a.htm"), (MARCH_3 + DAY + 60, MARCH_3 + DAY + 60))
        self.assertEqual(self.check("s.xml", "--lastmod-time")[1][0][:25], "stale: https://e.x/a.htm ")
        self.assertEqual(self.check("s.xml", "--lastmod", "none")[0], 0)

    def test_a_gzip_index_a_missing_part_and_a_broken_rule_are_findings(self):
        self.publish("--gzip", "--max-urls", "2")
        self.assertEqual(sorted(os.listdir(self.out)), ["s-1.xml.gz", "s-2.xml.gz", "s.xml.gz"])
        self.assertEqual(self.check("s.xml.gz")[0], 0)
        os.remove(os.path.join(self.out, "s-2.xml.gz"))
        code, lines = self.check("s.xml.gz")
        self.assertEqual((code, lines[-2:]), (4, ["not compared with the site: the sitemap could not be read whole",
                                                   "1 finding"]))
        self.assertIn("s-2.xml.gz: the part named by the index cannot be read", lines[0])
        self.write("s.xml", self.HEAD + "<url><lastmod>2024-03-03</lastmod></url>\n</urlset>\n")
        self.assertEqual(self.check("s.xml")[1][0], native(os.path.join(self.out, "s.xml")) + ":3: <url> without <loc>")

    def test_a_large_file_or_a_gzip_bomb_is_read_within_bounded_memory(self):
        # Written a megabyte at a time, so that this process, whose memory its children start from, stays small.
        blanks = b" " * 2**20
        with open(os.path.join(self.out, "large.xml"), "wb") as large:
            large.write(self.HEAD.encode())
            for _ in range(51):
                large.write(blanks)
        with gzip.open(os.path.join(self.out, "bomb.xml.gz"), "wb", compresslevel=9) as bomb:
            bomb.write(self.HEAD.encode())
            for _ in range(200):
                bomb.write(blanks)
        for name in ("large.xml", "bomb.xml.gz"):
            code, lines = self.check(name)
            self.assertEqual(code, 4, name)
            self.assertIn("larger than 52428800 bytes", lines[0], name)
            if not emulated():
                self.assertLess(self.most_memory, 64 * 1024, name)


class StateTest(CliCase):
    def setUp(self):
        self.tree = temp_tree(self, {"a.htm": "a", "b.htm": "b", "c.htm": "c"})
        self.state = os.path.join(scratch(self, "linkloom-state-"), "state.txt")

    def publish(self, *options):
        code, out, err = run("-q", "--state", native(self.state), *options, native(self.tree.root), "https://e.x/")
        return code, lastmods(out), err

    def touch(self, name, when, content=None):
        if content is not None:
            write(self.tree.path(name), content)
        os.utime(self.tree.path(name), (when, when))

    TEMPLATE = ("<html><head><title>%(title)s</title><script src=%(script)s></script></head><body>"
                "<header><nav><a href=/>Home</a>%(nav)s</nav></header>%(body)s<footer>%(footer)s</footer></body></html>")

    def write_pages(self, when, **template):
        parts = {"title": "T", "script": "a.js", "nav": "", "footer": "(c) 2024"}
        parts.update(template)
        for name in ("a.htm", "b.htm", "c.htm"):
            body = "<main>%s text</main>" % name if name != "c.htm" else "<p>c text <img src=c.png></p>"
            self.touch(name, when, self.TEMPLATE % dict(parts, body=self.bodies.get(name, body)))

    def test_a_template_change_keeps_every_date_and_a_content_change_moves_its_page(self):
        self.bodies = {}
        self.write_pages(MARCH_3)
        self.assertEqual(self.publish()[:2], (0, dict.fromkeys(("a.htm", "b.htm", "c.htm"), "2024-03-03")))
        later = MARCH_3 + 100 * DAY
        self.write_pages(later, title="New", script="b.js", nav="<a href=/new>New</a>", footer="(c) 2025")
        self.assertEqual(self.publish()[1], dict.fromkeys(("a.htm", "b.htm", "c.htm"), "2024-03-03"))
        self.bodies = {"b.htm": "<main>b text, edited</main>", "c.htm": "<p>c text <img src=c2.png></p>"}
        self.write_pages(later)
        self.assertEqual(self.publish()[1], {"a.htm": "2024-03-03", "b.htm": "2024-06-11", "c.htm": "2024-06-11"})
        # Hashed by their bytes, a template change moves every page.
        self.publish("--state-hash", "bytes")
        self.write_pages(later + DAY, footer="(c) 2026")
        self.assertEqual(self.publish("--state-hash", "bytes")[1], dict.fromkeys(("a.htm", "b.htm", "c.htm"), "2024-06-12"))

    def test_the_record_is_switched_with_the_sitemap_files_and_is_never_one_of_them(self):
        out = os.path.join(os.path.dirname(self.state), "sitemap.xml")
        link = os.path.join(os.path.dirname(self.state), "link.txt")
        os.symlink(out, link)
        # Wine shows a link made on this side to a file not there yet as no file at all.
        for record in (out,) if emulated() else (out, link):
            self.fails(2, "-o %s and --state %s name one file" % (native(out), native(record)), "-o", native(out),
                       "--state", native(record), native(self.tree.root), "https://e.x/")
        self.assertEqual(self.ok(*self.on_tree("-o", native(out), "--state", native(self.state)))[1], "")
        earlier = read(out)
        # A record that cannot be written keeps the earlier sitemap.
        missing = os.path.join(os.path.dirname(self.state), "gone", "state.txt")
        self.touch("d.htm", MARCH_3, "d")
        self.fails(3, "cannot write " + native(missing), *self.on_tree("-o", native(out), "--state", native(missing)))
        self.assertEqual(read(out), earlier)

    def test_changes_lists_added_edited_and_removed_urls_and_is_written_with_the_record(self):
        changes = os.path.join(os.path.dirname(self.state), "changes.txt")
        out = os.path.join(os.path.dirname(self.state), "sitemap.xml")

        def publish(*more):
            return run(*self.on_tree("--explain", "--state", native(self.state), "--changes", native(changes), *more))

        self.assertEqual(publish()[0], 0)
        self.assertEqual(read_text(changes), "".join("+ https://e.x/%s.htm\n" % name for name in "abc"))
        self.touch("b.htm", MARCH_3 + DAY, "b changed")
        self.touch("a0.htm", MARCH_3, "new")
        os.remove(self.tree.path("c.htm"))
        code, _, err = publish("-o", native(out))
        self.assertEqual(code, 0, err)
        self.assertIn("changes since the record: 1 new, 1 changed, 1 gone", err)
        self.assertEqual(read_text(changes), "+ https://e.x/a0.htm\n~ https://e.x/b.htm\n- https://e.x/c.htm\n")
        earlier = read(self.state)
        # A changes file that cannot be written leaves the record and the sitemap as they were.
        os.remove(changes)
        os.makedirs(changes)
        self.touch("b.htm", MARCH_3 + 2 * DAY, "b changed again")
        self.assertEqual(publish("-o", native(out))[0], 3)
        self.assertEqual(read(self.state), earlier)

    def test_a_record_is_created_only_once_the_document_is_written_and_a_bad_one_stops_the_run(self):
        self.fails(1, "no files match", *self.on_tree("--state", native(self.state), "--ext", "none"))
        self.assertFalse(os.path.exists(self.state))
        # One that is not a record stops the run and is left as it was.
        write(self.state, b"linkloom-state 2\n")
        self.fails(2, "cannot read the state file", *self.on_tree("--state", native(self.state)))
        self.assertEqual(read(self.state), b"linkloom-state 2\n")


class SettingsTest(CliCase):
    def setUp(self):
        page = "<!DOCTYPE html><p>page</p>"
        self.tree = temp_tree(self, {"index.htm": page, "a.htm": page, "b.html": page, "drafts/c.htm": page,
                          "linkloom.toml": 'url = "https://e.x/"\next = ["htm", "toml"]\nexclude = "drafts/"\n'
                                           "folder-urls = true\nsubfolders = true\n"})

    def test_flags_win_over_the_file_and_the_file_over_the_defaults(self):
        cases = [([], ["https://e.x/a.htm", "https://e.x/"]),
                 (["--ext", "html", "--exclude", "nothing"], ["https://e.x/b.html"]),
                 (["https://f.x/"], ["https://f.x/a.htm", "https://f.x/"]),
                 (["--no-config", "https://e.x/"], ["https://e.x/a.htm", "https://e.x/drafts/c.htm",
                                                    "https://e.x/index.htm"])]
        for options, expected in cases:
            out, err = self.ok("-q", native(self.tree.root), *options)
            self.assertEqual(err, "", options)
            self.assertEqual(locations(out), expected, options)

    def test_a_named_file_says_where_to_write_and_a_bad_one_writes_nothing(self):
        config = self.tree.path("drafts", "run.toml")
        write(config, 'url = "https://e.x/"\noutput = "../sitemap.xml"\nfolder-urls = true\n')
        self.assertEqual(self.ok("-q", "--config", native(config), native(self.tree.root))[1], "")
        before = read(self.tree.path("sitemap.xml"))
        self.assertIn(b"<loc>https://e.x/</loc>", before)
        with open(config, "a") as settings:
            settings.write("max-urls = 0\n")
        self.fails(2, "run.toml:4: --max-urls needs a number from 1 to 50000, not '0'", "-q", "--config",
                   native(config), native(self.tree.root))
        self.assertEqual(read(self.tree.path("sitemap.xml")), before)

    def test_init_writes_what_the_folder_suggests_and_never_over_a_file(self):
        head = '<html><head><link rel="canonical" href="https://e.x/%s"><link rel="alternate" hreflang="de" ' \
               'href="https://e.x/de/%s"></head></html>'
        site = temp_tree(self, {"index.html": head % ("", ""), "docs/index.html": head % ("docs/", "docs/"),
                     "docs/a.html": head % ("docs/a", "docs/a"), "docs/b.htm": "<p>b</p>", "robots.txt": "",
                     "notes.txt": ""})
        self.assertEqual(self.ok("--init", native(site.root), "https://e.x"), (b"", ""))
        settings = read_text(site.path("linkloom.toml"))
        for line in ['url = "https://e.x/"', "# pages found: 3 .html, 1 .htm", 'ext = ["html", "htm"]',
                     "folder-urls = true", "robots-txt = true", "canonical = true", "alternates = true"]:
            self.assertIn(line + "\n", settings)
        self.assertNotIn("lastmod", settings)
        out, err = self.ok("-q", native(site.root))
        self.assertEqual(err, "")
        self.assertEqual(locations(out), ["https://e.x/docs/a", "https://e.x/docs/b.htm", "https://e.x/docs/",
                                          "https://e.x/"])
        sample = self.tree.path("sample")
        shutil.copytree(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "samples", "site"), sample)
        self.assertEqual(run("--init", native(sample), "https://e.x/")[0], 0)
        self.assertEqual(run("-q", native(sample))[1],
                         run("-q", "--no-config", "--ext", "htm,php", "--folder-urls", native(sample), "https://e.x/")[1])
        self.fails(2, "linkloom.toml exists; --init leaves it as it is", "--init", native(site.root))
        self.assertEqual(read_text(site.path("linkloom.toml")), settings)
class IndexNowEndpoint(http.server.BaseHTTPRequestHandler):
    """Answers each POST as its path says: /status/N with N, /busy with 429 and Retry-After: 1
    then 200, /silent never; logs each request's path, type and JSON body before it answers."""
    log = None
    busy = [True]

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", 0)))
        with open(self.log, "a") as log:
            log.write(json.dumps([self.path, self.headers.get("Content-Type"), json.loads(body)]) + "\n")
        if self.path == "/silent":
            time.sleep(60)
            return
        status = int(self.path.rsplit("/", 1)[1]) if self.path.startswith("/status/") else 200
        if self.path == "/busy" and self.busy[0]:
            self.busy[0] = False
            status = 429
        self.send_response(status)
        if status == 429:
            self.send_header("Retry-After", "1")
        self.send_header("Content-Length", "0")
        self.end_headers()

    def log_message(self, *args):
        pass


def serve_indexnow(log, port):
    IndexNowEndpoint.log = log
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), IndexNowEndpoint)
    port.put(server.server_address[1])
    server.serve_forever()


class IndexNowTest(CliCase):
    KEY = "k3y-0123456789"

    def setUp(self):
        self.tree = temp_tree(self, {"a.htm": "a", "b.htm": "b", self.KEY + ".txt": self.KEY + "\n"})
        self.state = os.path.join(scratch(self, "linkloom-state-"), "state.txt")
        context = multiprocessing.get_context("fork")
        self.log, port = os.path.join(os.path.dirname(self.state), "requests"), context.Queue()
        server = context.Process(target=serve_indexnow, args=(self.log, port), daemon=True)
        server.start()
        self.addCleanup(server.terminate)
        self.endpoint = "http://127.0.0.1:%d" % port.get(timeout=10)

    def submit(self, path="/status/200", *more, fresh=True):
        if fresh and os.path.exists(self.state):
            os.remove(self.state)
        environment = dict(os.environ, LINKLOOM_INDEXNOW_TIMEOUT_MS="1500")
        return run("--state", native(self.state), "--indexnow", self.KEY, "--indexnow-endpoint", self.endpoint + path,
                   *more, native(self.tree.root), "https://e.x/", env=environment)

    def posted(self):
        if not os.path.exists(self.log):
            return []
        with open(self.log) as log:
            found = [json.loads(line) for line in log]
        os.remove(self.log)
        return found

    def test_the_key_file_is_checked_first_and_then_the_changes_posted(self):
        out = self.tree.path("sitemap.xml")
        code, _, err = self.submit("/status/200", "-o", native(out), "--indexnow-key-location",
                                   "https://e.x/keys/key.txt")
        self.assertEqual(code, 2)
        self.assertIn("create %s holding the key %s alone" % (native(self.tree.path("keys", "key.txt")), self.KEY), err)
        self.assertFalse(os.path.exists(out) or os.path.exists(self.state))
        self.assertEqual(self.posted(), [])
        code, _, err = self.submit()
        self.assertEqual(code, 0, err)
        [(_, kind, body)] = self.posted()
        self.assertEqual((kind, body), ("application/json; charset=utf-8",
                                        {"host": "e.x", "key": self.KEY, "keyLocation": "https://e.x/%s.txt" % self.KEY,
                                         "urlList": ["https://e.x/a.htm", "https://e.x/b.htm"]}))
        # The next run posts only what changed since: an edit and a removal.
        os.utime(self.tree.path("a.htm"), (MARCH_3 + DAY,) * 2)
        write(self.tree.path("a.htm"), "a changed")
        os.remove(self.tree.path("b.htm"))
        code, _, err = self.submit(fresh=False)
        self.assertEqual(code, 0, err)
        self.assertEqual([body["urlList"] for _, _, body in self.posted()], [["https://e.x/a.htm", "https://e.x/b.htm"]])

    def test_each_answer_is_said_and_one_not_accepted_exits_5(self):
        for path, code, said in (("/status/202", 0, "202 (accepted, the key not validated yet)"),
                                 ("/status/400", 5, "400 (bad request)"), ("/status/403", 5, "403 (key not valid"),
                                 ("/status/422", 5, "422 (the URLs do not belong to the host"),
                                 ("/status/429", 5, "429 (too many requests)"), ("/status/503", 5, "503 (server error)"),
                                 ("/busy", 0, "asking again in 1 s"), ("/silent", 5, "did not answer within 1500 ms")):
            started = time.monotonic()
            found, _, err = self.submit(path)
            self.assertEqual(found, code, path + err)
            self.assertIn(said, err, path)
            requests = self.posted()
            if path == "/busy":
                self.assertEqual(len(requests), 2)
                self.assertGreaterEqual(time.monotonic() - started, 1)
            if code == 5:
                self.assertIn("the sitemap was written; 2 of 2 URLs not submitted", err)
            self.assertLess(time.monotonic() - started, 20, path)

    def test_urls_not_accepted_are_kept_and_submitted_by_the_next_run(self):
        changes, pending = os.path.join(os.path.dirname(self.state), "changes.txt"), self.state + ".pending"
        self.assertEqual(self.submit("/status/503")[0], 5)
        self.posted()
        with open(pending) as kept:
            self.assertEqual(kept.read(), "+ https://e.x/a.htm\n+ https://e.x/b.htm\n")
        # The kept URLs go first, b.htm once though it is now gone; --changes holds this run's alone.
        os.remove(self.tree.path("b.htm"))
        with open(self.tree.path("c.htm"), "w") as page:
            page.write("c")
        code, _, err = self.submit("/status/200", "--changes", native(changes), fresh=False)
        self.assertEqual(code, 0, err)
        self.assertEqual([body["urlList"] for _, _, body in self.posted()],
                         [["https://e.x/a.htm", "https://e.x/b.htm", "https://e.x/c.htm"]])
        with open(changes) as listed:
            self.assertEqual(listed.read(), "+ https://e.x/c.htm\n- https://e.x/b.htm\n")
        self.assertFalse(os.path.exists(pending))

    def test_no_socket_is_opened_without_indexnow(self):
        if emulated() or shutil.which("strace") is None:
            self.skipTest("strace traces the native program")
        trace = os.path.join(os.path.dirname(self.state), "trace")

        def sockets(*args):
            result = subprocess.run(["strace", "-f", "-qq", "-o", trace, "-e", "trace=socket,connect"] + CLI +
                                    list(args), capture_output=True, stdin=subprocess.DEVNULL)
            if result.returncode != 0 and b"ptrace" in result.stderr:
                self.skipTest("ptrace is not permitted here")
            with open(trace) as lines:
                return [line for line in lines if "AF_INET" in line]

        changes = os.path.join(os.path.dirname(self.state), "changes.txt")
        self.assertEqual(sockets("-q", "--state", native(self.state), "--changes", changes, "--lastmod", "git,meta,mtime",
                                 "-o", self.tree.path("s.xml"), "--robots-txt", "--canonical", self.tree.root,
                                 "https://e.x/"), [])
        # The same trace sees the socket that --indexnow opens.
        self.assertNotEqual(sockets("-q", "--state", native(self.state), "--indexnow", self.KEY, "--indexnow-endpoint",
                                    self.endpoint + "/status/200", "--ext", "htm,txt", self.tree.root, "https://e.x/"),
                            [])
class ReportTest(CliCase):
    """--report json: one document per run, valid against the schema, in every mode."""

    def setUp(self):
        page = "<!DOCTYPE html><p>page</p>"
        self.tree = temp_tree(self, {"a.htm": page, "b.htm": page, "c.htm": page, "notes.txt": page, 'q"\x01.txt': page})
        self.out = scratch(self, "linkloom-report-")
        with open(SCHEMA) as schema:
            self.validator = jsonschema.Draft7Validator(json.load(schema))

    def report(self, *args):
        path = os.path.join(self.out, "report.json")
        code, out, err = run("-q", "--report", "json:" + native(path), *args)
        document = json.loads(read(path).decode("utf-8"))
        self.validator.validate(document)
        self.assertEqual(document["exitStatus"], code, err)
        return document

    def test_a_split_set_with_warnings_and_what_was_left_out(self):
        sitemap = os.path.join(self.out, "s.xml")
        document = self.report(*self.on_tree("--explain", "--max-urls", "1", "--exclude", "c.htm", "-o", native(sitemap)))
        self.assertEqual(document["counts"], {"listed": 5, "kept": 2, "leftOut": {"extension": 2, "excluded": 1},
                                              "notEntered": {}})
        # Names travel byte for byte, whatever they hold.
        self.assertIn({"path": 'q"\x01.txt', "folder": False, "reason": "extension", "detail": ""},
                      document["leftOut"])
        # The set's URL, assumed as it is written outside the folder, is said once.
        self.assertEqual([text for text in document["warnings"] if "lies outside" in text], document["warnings"][:1])
        paths = [f["path"].replace("Z:", "").replace("\\", "/") for f in document["files"]]
        self.assertEqual([(os.path.basename(path), f["url"]) for path, f in zip(paths, document["files"])],
                         [("s.xml", "https://e.x/s.xml"), ("s-1.xml", "https://e.x/s-1.xml"),
                          ("s-2.xml", "https://e.x/s-2.xml")])
        self.assertEqual([f["bytes"] for f in document["files"]], [os.path.getsize(path) for path in paths])

    def test_check_findings_in_json_and_for_github_and_the_report_on_standard_error(self):
        sitemap = os.path.join(self.out, "s.xml")
        self.assertEqual(run("-q", "-o", native(sitemap), native(self.tree.root), "https://e.x/")[0], 0)
        os.remove(self.tree.path("b.htm"))
        document = self.report("--check", native(sitemap), native(self.tree.root), "https://e.x/")
        self.assertEqual(document["mode"], "check")
        self.assertEqual([(f["kind"], f["line"], f["location"]) for f in document["findings"]],
                         [("extra", 7, "https://e.x/b.htm")])
        # Without FILE the document is standard error's last line; standard output stays the sitemap.
        code, out, err = run("-q", "--report", "json", native(self.tree.root), "https://e.x/")
        self.validator.validate(json.loads(err.splitlines()[-1]))
        self.assertTrue(out.startswith(b"<?xml"))
        # For GitHub: annotations, a step summary added to the earlier steps' and the step's outputs.
        summary, outputs = os.path.join(self.out, "summary.md"), os.path.join(self.out, "outputs")
        write(summary, "earlier step\n")
        env = dict(os.environ, GITHUB_STEP_SUMMARY=native(summary), GITHUB_OUTPUT=native(outputs))
        code, _, err = run("-q", "--report", "github", "--check", native(sitemap), native(self.tree.root),
                           "https://e.x/", env=env)
        self.assertEqual(code, 4)
        self.assertIn("::error file=" + native(sitemap).replace(":", "%3A") + ",line=7::extra: https://e.x/b.htm\n",
                      err)
        self.assertTrue(read_text(summary).startswith("earlier step\n### Sitemap check\n"))
        lines = read_text(outputs).splitlines()
        values = {lines[i].split("<<")[0]: lines[i + 1] for i in range(0, len(lines), 3)}
        self.assertEqual(values, {"sitemap-path": "", "url-count": "2", "excluded-count": "2", "findings": "1"})

    def test_a_report_that_cannot_be_written_fails_the_run(self):
        code, _, err = run("-q", "--report", "json:" + native(self.out), native(self.tree.root), "https://e.x/")
        self.assertEqual(code, 3)
        self.assertIn("cannot write the report", err)


if __name__ == "__main__":
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--emulator")
    parser.add_argument("--reference")
    options, rest = parser.parse_known_args()
    REFERENCE = options.reference
    CLI = ([options.emulator] if options.emulator else []) + [options.cli]
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=1)
