"""Start-up with a config.ini that is broken, huge or not a file at all."""

import os
import sys
import time
import unittest

from harness import PageServer, RunFolder, gbk_config

PROGRAM = None
MAX_VALUE_BYTES = 10239
# Root reads any file whatever its mode; without these capabilities it obeys it.
UNPRIVILEGED = (("setpriv", "--bounding-set=-dac_override,-dac_read_search", "--")
                if os.geteuid() == 0 else ())


class BadConfig(unittest.TestCase):
    def setUp(self):
        self.server = PageServer({"/long": "<p>long</p>"})
        self.server.__enter__()
        self.addCleanup(self.server.__exit__)
        self.folder = RunFolder(PROGRAM)
        self.addCleanup(self.folder.remove)

    def start_and_close(self, prefix=()):
        """Starts the program, sees its window stay up, and closes it."""
        program = self.folder.start(prefix)
        self.addCleanup(program.kill)
        program.wait_window()
        time.sleep(1.5)
        self.assertIsNone(program.process.poll(), program.stderr())
        program.key("Escape")
        self.assertEqual(program.wait_exit(), 0)

    def test_a_file_that_cannot_be_read_as_settings_gives_a_working_window(self):
        # name: (bytes, how many times the file holds them)
        cases = {
            "binary garbage": (bytes(range(256)), 64),
            "100 MB of lines": (b"x=" + b"y" * 98 + b"\n", 1024 * 1024),
            "invalid GBK": ("[主页]\r\nhomepage=".encode("gbk") + b"\x81\x20\xff\xfe\x80\r\n", 1),
        }
        for name, (data, times) in cases.items():
            with self.subTest(name):
                self.folder.write_config(data * times)
                self.start_and_close()

    def test_a_directory_named_config_ini_gives_a_working_window(self):
        os.mkdir(self.folder.config)
        self.start_and_close()

    def test_an_unreadable_file_gives_the_default_page(self):
        self.folder.write_config(gbk_config(self.server.url("/long")))
        os.chmod(self.folder.config, 0)
        self.start_and_close(UNPRIVILEGED)
        self.assertNotIn("/long", [r.split("?")[0] for r in self.server.requests])

    def test_a_20000_byte_home_page_is_cut_and_loads(self):
        address = self.server.url("/long?") + "a" * 20000
        self.folder.write_config(("[主页]\r\nhomepage=%s\r\n" % address).encode("gbk"))
        program = self.folder.start()
        self.addCleanup(program.kill)
        program.wait_window()
        self.assertTrue(self.server.wait_for("/long"), "the cut home page was not asked for")
        asked = [r for r in self.server.requests if r.startswith("/long")][0]
        self.assertEqual(len(self.server.url("")) + len(asked), MAX_VALUE_BYTES)
        program.key("Escape")
        self.assertEqual(program.wait_exit(), 0)


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
