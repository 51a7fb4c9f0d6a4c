#!/usr/bin/env python3
"""Runs the end-to-end stories (tests/e2e/story_*.py) against the built Sonabrill.exe."""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import harness  # noqa: E402


def main():
    loader = unittest.TestLoader()
    pattern = sys.argv[1] if len(sys.argv) > 1 else "story_*.py"
    suite = loader.discover(os.path.dirname(os.path.abspath(__file__)), pattern=pattern)
    harness.SESSION = harness.Session()
    try:
        result = unittest.TextTestRunner(verbosity=2).run(suite)
    finally:
        harness.SESSION.stop()
    failed = len(result.failures) + len(result.errors)
    print("e2e: %d passed, %d failed" % (result.testsRun - failed, failed))
    return 0 if failed == 0 and result.testsRun > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
