#!/usr/bin/env python3
"""Runs the action's script (scripts/action/run.sh) as a runner would: the runner's variables and
files, a release folder that holds linkloom-cli packed as the release packs it."""
import hashlib
import os
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
CLI = None
VERSION = "9.8.7"


class ActionTest(unittest.TestCase):
    def setUp(self):
        self.temp = tempfile.mkdtemp(prefix="linkloom-action-")
        self.addCleanup(shutil.rmtree, self.temp, True)
        self.site = os.path.join(self.temp, "site")
        os.makedirs(os.path.join(self.site, "docs"))
        for name in ("index.htm", "docs/a.htm", "docs/draft.htm", "notes.txt"):
            with open(os.path.join(self.site, name), "w") as page:
                page.write("<!DOCTYPE html><p>page</p>")
        self.releases = os.path.join(self.temp, "releases")
        os.makedirs(self.releases)
        asset = f"linkloom-{VERSION}-linux-x86_64.tar.gz"
        with tarfile.open(os.path.join(self.releases, asset), "w:gz") as archive:
            archive.add(CLI, f"linkloom-{VERSION}/bin/linkloom-cli")
        with open(os.path.join(self.releases, asset), "rb") as packed:
            digest = hashlib.sha256(packed.read()).hexdigest()
        with open(os.path.join(self.releases, "SHA256SUMS"), "w") as sums:
            sums.write(f"{digest}  {asset}\n")

    def run_action(self, **inputs):
        runner = os.path.join(self.temp, "runner")
        os.makedirs(runner, exist_ok=True)
        self.outputs, self.summary = os.path.join(runner, "output"), os.path.join(runner, "summary")
        env = {key: value for key, value in os.environ.items() if not key.startswith(("GITHUB_", "LINKLOOM_"))}
        env.update(RUNNER_OS="Linux", RUNNER_ARCH="X64", RUNNER_TEMP=runner, GITHUB_ACTION_REF="v" + VERSION,
                   GITHUB_ACTION_PATH=TOP, GITHUB_OUTPUT=self.outputs, GITHUB_STEP_SUMMARY=self.summary,
                   LINKLOOM_RELEASES=self.releases)
        env.update({"LINKLOOM_" + key.upper(): value for key, value in inputs.items()})
        result = subprocess.run(["bash", os.path.join(TOP, "scripts", "action", "run.sh")], env=env,
                                capture_output=True, text=True, stdin=subprocess.DEVNULL, cwd=self.temp)
        return result.returncode, result.stderr

    def step_outputs(self):
        with open(self.outputs) as text:
            lines = text.read().splitlines()
        return {lines[i].split("<<")[0]: lines[i + 1] for i in range(0, len(lines), 3)}

    def test_writes_with_the_release_program_then_fails_a_stale_check(self):
        code, err = self.run_action(folder=self.site, url="https://e.x/", output="sitemap.xml",
                                    exclude="\n**/draft.htm\n", gzip="false")
        self.assertEqual(code, 0, err)
        self.assertIn("using the release program", err)
        self.assertEqual(self.step_outputs(), {"sitemap-path": "sitemap.xml", "url-count": "2", "excluded-count": "2"})
        with open(self.summary) as summary:
            self.assertIn("| Pages kept | 2 |", summary.read())

        os.remove(os.path.join(self.site, "docs", "a.htm"))
        code, err = self.run_action(folder=self.site, url="https://e.x/", check="sitemap.xml",
                                    exclude="**/draft.htm")
        self.assertEqual(code, 4, err)
        self.assertIn("::error file=sitemap.xml,line=", err)
        self.assertEqual(self.step_outputs()["findings"], "1")

    def test_a_release_that_fails_its_checksum_is_not_run(self):
        with open(os.path.join(self.releases, "SHA256SUMS"), "w") as sums:
            sums.write("0" * 64 + f"  linkloom-{VERSION}-linux-x86_64.tar.gz\n")
        code, err = self.run_action(folder=self.site, url="https://e.x/", output="s.xml")
        self.assertEqual(code, 2)
        self.assertIn("checksum mismatch", err)
        self.assertFalse(os.path.exists(os.path.join(self.temp, "runner", "linkloom", "release")))


if __name__ == "__main__":
    CLI = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=1)
