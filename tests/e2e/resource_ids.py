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
        # Whole numbers (decimal or hexadecimal) and string literals; a list of names defined
        # above (the window menu's order) becomes a tuple of their values.
        if re.fullmatch(r"\w+(?:\s*,\s*\w+)+", _value.strip()):
            globals()[_name] = tuple(globals()[n.strip()] for n in _value.split(","))
        else:
            globals()[_name] = ast.literal_eval(_value.strip())
