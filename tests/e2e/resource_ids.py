"""The main dialog's ids, captions and band gap, read from resources/resource_ids.h, the header
that the resource script and the program read as well: `resource_ids.btn_info` is 229."""
import ast
import os
import re

HEADER = os.path.join(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(
    __file__)))), "resources", "resource_ids.h")

with open(HEADER) as _header:
    _text = _header.read().replace("\\\n", " ")
    for _name, _value in re.findall(r"^#define (\w+) +(.+)$", _text, re.MULTILINE):
        # Whole numbers, string literals, and lists of names defined above (the menu's order).
        _names = re.fullmatch(r"\w+(?:\s*,\s*\w+)+", _value.strip())
        globals()[_name] = (tuple(globals()[n.strip()] for n in _value.split(",")) if _names
                            else ast.literal_eval(_value.strip()))
