"""Headless Chromium for the web page's tests, driven through Selenium:
a fresh profile for each browser, no network of its own, the console kept."""

import os
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

# Quiet and local: nothing in the browser reaches out on its own.
FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-dev-shm-usage"]


class Browser:
    """A Chromium started with `languages` as the languages the user
    prefers; use as a context manager."""

    def __init__(self, languages="zh-CN", width=1024, height=768):
        self.profile = tempfile.mkdtemp(prefix="mindprism-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = os.environ.get("CHROMIUM", "/usr/bin/chromium")
        for flag in FLAGS:
            options.add_argument(flag)
        options.add_argument("--user-data-dir=" + self.profile)
        options.add_argument("--lang=" + languages.split(",")[0])
        options.add_argument("--window-size=%d,%d" % (width, height))
        options.add_experimental_option("prefs", {"intl.accept_languages": languages})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        service = Service(os.environ.get("CHROMEDRIVER", "/usr/bin/chromedriver"))
        self.driver = webdriver.Chrome(service=service, options=options)
        self.driver.set_script_timeout(240)

    def __enter__(self):
        return self.driver

    def __exit__(self, *exc):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


def file_url(path):
    return "file://" + os.path.abspath(path)
