#!/usr/bin/env python3
"""Builds ORV's help from topics.txt: the topics file orv.hlp that ORV's help window reads, and
docs/manual.md, the same text for reading without the program.

topics.txt: a topic starts with a line "== <context> <title>" (the context in decimal or 0x
hex). Paragraphs are separated by blank lines and their lines are joined; "- " starts a bullet
(its further lines are indented by two blanks); "# " a heading. [shown text](context) links to
another topic. Lines starting with "%" are notes for the writers and are left out.

  build_help.py --hlp OUT      write orv.hlp
  build_help.py --manual OUT   write the manual
  build_help.py --check        fail when docs/manual.md is not what the topics give today, or
                               when link text orv.hlp cannot carry goes through
"""
import argparse
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", "..", ".."))
TOPICS = os.path.join(HERE, "topics.txt")
MANUAL = os.path.join(ROOT, "docs", "manual.md")
LINK = re.compile(r"\[([^\]]+)\]\((0x[0-9A-Fa-f]+|\d+)\)")
MAX_CONTEXT = 0xFFFF


class TopicError(Exception):
    pass


def read_topics(path, text=None):
    """[(context, title, [(kind, text)])] with kind "p", "-", "#" or "" (a blank line). The
    topics are read from path, or from text (named path in messages) when it is given."""
    topics = []
    paragraphs = None
    current = None
    if text is None:
        with open(path, encoding="ascii") as f:
            text = f.read()
    lines = text.split("\n")
    for number, line in enumerate(lines, 1):
        where = f"{path}:{number}"
        if "\t" in line:
            raise TopicError(f"{where}: a tab")
        if line.startswith("%"):
            continue
        if line.startswith("== "):
            head = line[3:].split(" ", 1)
            if len(head) != 2 or not head[1].strip():
                raise TopicError(f"{where}: a topic needs a context and a title")
            context = int(head[0], 0)
            if not 0 < context <= MAX_CONTEXT:
                raise TopicError(f"{where}: context {context} out of range")
            paragraphs = []
            topics.append((context, head[1].strip(), paragraphs))
            current = None
            continue
        if paragraphs is None:
            if line.strip():
                raise TopicError(f"{where}: text before the first topic")
            continue
        if not line.strip():
            current = None
            continue
        if line.startswith("- "):
            current = ["-", line[2:].strip()]
            paragraphs.append(current)
        elif line.startswith("# "):
            paragraphs.append(["#", line[2:].strip()])
            current = None
        elif current is not None and (current[0] == "p" or line.startswith("  ")):
            current[1] += " " + line.strip()
        else:
            current = ["p", line.strip()]
            paragraphs.append(current)
    contexts = [t[0] for t in topics]
    for context in contexts:
        if contexts.count(context) > 1:
            raise TopicError(f"context {context} has two topics")
    for context, title, paragraphs in topics:
        for _, text in paragraphs:
            for shown, target in LINK.findall(text):
                if int(target, 0) not in contexts:
                    raise TopicError(f"topic {context} ({title}) links to {target}, which is no topic")
                # orv.hlp writes a link as {text|context}: its text ends at the first "|", and
                # a "{" in it (doubled as in plain text) would be shown doubled or start the link
                # over.
                for char in "|{":
                    if char in shown:
                        raise TopicError(f'topic {context} ({title}): the link text "{shown}" '
                                         f'holds "{char}", which a link of orv.hlp cannot carry')
            if text.startswith("@"):
                raise TopicError(f"topic {context}: a paragraph may not start with @")
    return topics


def spaced(paragraphs):
    """The paragraphs with a blank line between them, none between bullets of one list."""
    out = []
    for i, (kind, text) in enumerate(paragraphs):
        if i and not (kind == "-" and paragraphs[i - 1][0] == "-"):
            out.append(("", ""))
        out.append((kind, text))
    return out


def render_hlp(topics):
    lines = [f"ORVHELP 1 {len(topics)}"]
    for context, title, paragraphs in topics:
        lines.append(f"@{context} {title}")
        for kind, text in spaced(paragraphs):
            text = text.replace("{", "{{")
            text = LINK.sub(lambda m: "{%s|%d}" % (m.group(1), int(m.group(2), 0)), text)
            lines.append({"p": "", "-": "- ", "#": "# ", "": ""}[kind] + text)
    lines.append("@end")
    return "\n".join(lines) + "\n"


def render_manual(topics):
    out = ["# ORV Help", "",
           "The topics of ORV's Help menu, as the help window shows them. "
           "Written by src/resources/help/build_help.py from src/resources/help/topics.txt: "
           "edit that file, not this one.", ""]
    for context, title, paragraphs in topics:
        out += [f'<a id="t{context}"></a>', "", f"## {title}", ""]
        for kind, text in paragraphs:
            text = LINK.sub(lambda m: "[%s](#t%d)" % (m.group(1), int(m.group(2), 0)), text)
            if kind == "-":
                out.append(f"- {text}")
                continue
            if out[-1].startswith("- "):
                out.append("")
            out += [f"### {text}" if kind == "#" else text, ""]
        if out[-1] != "":
            out.append("")
    return "\n".join(out).rstrip("\n") + "\n"


# Link texts for --check: each with the character it must be refused for, or None when it is fine.
LINK_CASES = [("[a|b](1)", "|"), ("[a{b](1)", "{"), ("[{b](1)", "{"), ("[a} b](1)", None)]


def check_link_cases():
    """None when every case of LINK_CASES is refused or taken as it should be, else what went
    wrong."""
    for link, char in LINK_CASES:
        try:
            read_topics("link case", f"== 1 Case\nSee {link}.\n")
        except TopicError as error:
            if char is not None and f'holds "{char}"' in str(error):
                continue
            return f"{link}: {error}"
        if char is not None:
            return f'{link}: a link text holding "{char}" was not refused'
    return None


def write(path, text):
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--topics", default=TOPICS)
    parser.add_argument("--hlp")
    parser.add_argument("--manual")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    try:
        topics = read_topics(args.topics)
    except (TopicError, ValueError, UnicodeDecodeError) as error:
        print(f"build_help.py: {error}", file=sys.stderr)
        return 1
    if args.hlp:
        write(args.hlp, render_hlp(topics))
    if args.manual:
        write(args.manual, render_manual(topics))
    if args.check:
        wrong = check_link_cases()
        if wrong:
            print(f"build_help.py: link text check: {wrong}", file=sys.stderr)
            return 1
        try:
            with open(MANUAL, encoding="ascii") as f:
                same = f.read() == render_manual(topics)
        except OSError:
            same = False
        if not same:
            print("docs/manual.md is out of date: python3 src/resources/help/build_help.py "
                  "--manual docs/manual.md", file=sys.stderr)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
