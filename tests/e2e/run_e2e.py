#!/usr/bin/env python3
"""Runs the end-to-end stories (tests/e2e/story_*.py) against the built exes, and prints how long
each story took.
    run_e2e.py [PATTERN] [--except FILE]...   the stories whose file names match PATTERN
                                              (default story_*.py), but not FILE"""
import argparse
import fnmatch
import os
import sys
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


class TimedResult(unittest.TextTestResult):
    def startTest(self, test):
        self.started = time.monotonic()
        super().startTest(test)

    def stopTest(self, test):
        super().stopTest(test)
        self.times = getattr(self, "times", []) + [(time.monotonic() - self.started, test.id())]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("pattern", nargs="?", default="story_*.py")
    parser.add_argument("--except", dest="excluded", action="append", default=[])
    args = parser.parse_args()
    here = os.path.dirname(os.path.abspath(__file__))
    stories = sorted(name for name in os.listdir(here)
                     if fnmatch.fnmatch(name, args.pattern) and name not in args.excluded)
    loader = unittest.TestLoader()
    suite = unittest.TestSuite(loader.loadTestsFromName(name[:-3]) for name in stories)
    harness.SESSION = harness.Session()
    try:
        result = unittest.TextTestRunner(verbosity=2, resultclass=TimedResult).run(suite)
    finally:
        harness.SESSION.stop()
    for seconds, name in getattr(result, "times", []):
        print("%6.1f s  %s" % (seconds, name))
    failed = len(result.failures) + len(result.errors)
    print("e2e: %d passed, %d failed" % (result.testsRun - failed, failed))
    return 0 if failed == 0 and result.testsRun > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
