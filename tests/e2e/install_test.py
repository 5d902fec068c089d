"""End-to-end: the installed program and the Debian package. Installs the
build into a temporary prefix, validates the desktop entry and the AppStream
file, and starts the installed program from another folder; builds the
Debian package, checks what it holds and needs, and runs it unpacked."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

import driver

BUILD_DIR = None
ENTRY = "share/applications/example.larkspan.MindPrism.desktop"
METAINFO = "share/metainfo/example.larkspan.MindPrism.metainfo.xml"
FIRST_QUESTION = "周末早上醒来，你最想做的第一件事是什么？"
# Every quiz file shipped, each language edition of each quiz.
SHIPPED_QUIZZES = sorted(os.path.basename(p) for p in glob.glob(
    os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "data", "*.xml")))


def run(*command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs)


class InstallTest(unittest.TestCase):
    def temp_dir(self, prefix):
        path = tempfile.mkdtemp(prefix=prefix)
        self.addCleanup(shutil.rmtree, path, ignore_errors=True)
        return path

    def assert_starts_elsewhere(self, exe):
        """Started from an unrelated folder, as a desktop menu does, the
        program still finds its quizzes, pictures and catalogues."""
        app = driver.MindPrism(exe, cwd=self.temp_dir("mindprism-elsewhere-"))
        self.addCleanup(app.stop)
        app.store_language("zh_CN")
        app.start()
        frame = app.window("心灵棱镜 - 你具备哪种动物潜质？")
        driver.wait_for("the first question",
                        lambda: driver.question_text(frame)[0] == FIRST_QUESTION)
        self.assertTrue(driver.find(frame, "push button", "下一题(N)"))

    def test_installed_program_and_desktop_files(self):
        prefix = self.temp_dir("mindprism-prefix-")
        run("cmake", "--install", BUILD_DIR, "--prefix", prefix)
        for icon in ("16x16/apps/mindprism.png", "32x32/apps/mindprism.png",
                     "48x48/apps/mindprism.png", "scalable/apps/mindprism.svg"):
            self.assertTrue(os.path.isfile(os.path.join(prefix, "share/icons/hicolor", icon)), icon)
        # The checker comes along and finds the installed quizzes clean.
        quizzes = glob.glob(os.path.join(prefix, "share/mindprism/data/*.xml"))
        self.assertEqual(sorted(os.path.basename(q) for q in quizzes), SHIPPED_QUIZZES)
        checker = os.path.join(prefix, "bin", "mindprism-check")
        run(checker, *quizzes)
        # It speaks the user's language, from the program's installed catalogue.
        chinese = dict(os.environ, LANG="zh_CN.UTF-8", LANGUAGE="", LC_ALL="", LC_MESSAGES="")
        self.assertIn(": 通过：", run(checker, quizzes[0], env=chinese).stdout)
        run("desktop-file-validate", os.path.join(prefix, ENTRY))
        report = run("appstreamcli", "validate", "--no-net", os.path.join(prefix, METAINFO))
        problems = [l for l in report.stdout.splitlines() if l.startswith(("E:", "W:"))]
        self.assertEqual(problems, [], report.stdout)
        self.assert_starts_elsewhere(os.path.join(prefix, "bin", "mindprism"))

    def test_debian_package(self):
        out = self.temp_dir("mindprism-deb-")
        run("cpack", "-G", "DEB", "-B", out, cwd=BUILD_DIR)
        package = glob.glob(os.path.join(out, "mindprism_*.deb"))
        self.assertEqual(len(package), 1, os.listdir(out))
        info = run("dpkg-deb", "--info", package[0]).stdout
        self.assertIn("Package: mindprism", info)
        depends = [l for l in info.splitlines() if l.strip().startswith("Depends:")]
        self.assertEqual(len(depends), 1, info)
        for library in ("libwxbase3.2-1", "libwxgtk3.2-1", "libstdc++6"):
            self.assertIn(library, depends[0])
        contents = run("dpkg-deb", "--contents", package[0]).stdout
        for path in ("./usr/bin/mindprism", "./usr/bin/mindprism-check", "./usr/" + ENTRY, "./usr/" + METAINFO,
                     "./usr/share/mindprism/locales/zh_CN/LC_MESSAGES/Mindprism.mo",
                     *("./usr/share/mindprism/data/" + q for q in SHIPPED_QUIZZES)):
            self.assertIn(path, contents)
        # Everything it needs can be installed from the archive.
        run("apt-get", "install", "--simulate", "--no-install-recommends", package[0])
        root = self.temp_dir("mindprism-root-")
        run("dpkg-deb", "--extract", package[0], root)
        self.assert_starts_elsewhere(os.path.join(root, "usr", "bin", "mindprism"))


if __name__ == "__main__":
    BUILD_DIR = os.path.abspath(sys.argv.pop(1))
    unittest.main()
