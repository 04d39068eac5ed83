"""The program as a process: how it ends, and what it keeps for the next start."""

import os
import sys
import time
import unittest

from harness import PageServer, RunFolder, alive, gbk_config, web_processes_of

PROGRAM = None


def page(title):
    return ('<!DOCTYPE html><html><head><meta charset="utf-8"><title>%s</title></head>'
            '<body><p>%s</p></body></html>' % (title, title))


class Lifecycle(unittest.TestCase):
    def setUp(self):
        self.server = PageServer({"/home": page("Home"), "/second": page("Second"),
                                  "/saved": page("Saved")})
        self.server.__enter__()
        self.addCleanup(self.server.__exit__)
        self.folder = RunFolder(PROGRAM)
        self.addCleanup(self.folder.remove)
        self.folder.write_config(gbk_config(self.server.url("/home")))

    def start(self):
        program = self.folder.start()
        self.addCleanup(program.kill)
        program.wait_window()
        self.assertTrue(self.server.wait_for("/home"), "the home page was not asked for")
        return program

    def test_closing_the_window_with_pages_open_ends_with_code_zero(self):
        program = self.start()
        # The address box has the focus when the window opens; it shows the
        # home page's address, which the user selects and types over.
        program.key("ctrl+a")
        program.type(self.server.url("/second"))
        program.key("Return")
        self.assertTrue(self.server.wait_for("/second"), "Enter opened no page")
        helpers = web_processes_of(program.process.pid)
        program.key("Escape")
        self.assertEqual(program.wait_exit(), 0)
        self.assertTrue(helpers, "the page's engine processes were not found")
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline and any(alive(pid) for pid in helpers):
            time.sleep(0.1)
        self.assertEqual([pid for pid in helpers if alive(pid)], [],
                         "engine processes outlived the program")

    def test_the_exit_command_ends_with_code_zero(self):
        program = self.start()
        program.key("alt+f")
        time.sleep(0.3)
        program.key("x")
        self.assertEqual(program.wait_exit(), 0)

    def test_a_home_page_saved_in_the_settings_opens_at_the_next_start(self):
        program = self.start()
        program.key("alt+v")
        time.sleep(0.3)
        program.key("g")
        settings = program.wait_window("首页设置")
        program.type(self.server.url("/saved"), window=settings)
        program.key("Return", window=settings)
        deadline = time.monotonic() + 10
        while b"/saved" not in self.folder.read_config() and time.monotonic() < deadline:
            time.sleep(0.1)
        config = self.folder.read_config()
        self.assertIn(("homepage=" + self.server.url("/saved")).encode("gbk"), config)
        program.focus()
        program.key("Escape")
        self.assertEqual(program.wait_exit(), 0)

        again = self.folder.start()
        self.addCleanup(again.kill)
        again.wait_window()
        self.assertTrue(self.server.wait_for("/saved"), "the saved home page did not open")
        again.key("Escape")
        self.assertEqual(again.wait_exit(), 0)


if __name__ == "__main__":
    PROGRAM = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
