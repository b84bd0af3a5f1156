#!/usr/bin/env python3
"""Checks the #include lines of src/ and standin/ against the layers in src/layers.txt.

Fails, naming the include, when a folder includes a folder of a higher layer, when a file
lies in no listed folder, or when folders of one layer include each other in a circle.
Usage: check_layers.py [REPOSITORY_ROOT]
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = {".h", ".hpp", ".cpp", ".cc"}
INCLUDE_ROOTS = ("src", "standin")


def read_layers(root):
    layers = {}
    for number, line in enumerate((root / "src/layers.txt").read_text().splitlines(), 1):
        words = line.split("#", 1)[0].split()
        if not words:
            continue
        if not words[0].isdigit() or len(words) < 2:
            sys.exit(f"src/layers.txt:{number}: expected '<layer> <folder> ...'")
        for folder in words[1:]:
            layers[folder.rstrip("/")] = int(words[0])
    return layers


def folder_of(path, layers):
    """The longest listed folder that holds the path (relative to the root), or None."""
    parts = path.parts[:-1]
    for length in range(len(parts), 0, -1):
        candidate = "/".join(parts[:length])
        if candidate in layers:
            return candidate
    return None


def resolve(root, including, name):
    for base in [including.parent] + [root / r for r in INCLUDE_ROOTS]:
        target = (base / name).resolve()
        if target.is_file():
            return target.relative_to(root)
    return None  # a library's header


def find_cycle(edges):
    """A list of folders closing a circle in the graph, or None."""
    state = {}

    def visit(node, path):
        state[node] = "open"
        for target in sorted(edges.get(node, {})):
            if state.get(target) == "open":
                return path[path.index(target):] + [target]
            if target not in state:
                found = visit(target, path + [target])
                if found:
                    return found
        state[node] = "done"
        return None

    for start in sorted(edges):
        if start not in state:
            found = visit(start, [start])
            if found:
                return found
    return None


def check(root):
    layers = read_layers(root)
    problems = []
    edges = {}  # folder -> folder -> first include line that makes the edge
    for top in INCLUDE_ROOTS:
        for path in sorted((root / top).rglob("*")):
            if path.suffix not in SOURCE_SUFFIXES:
                continue
            relative = path.relative_to(root)
            source = folder_of(relative, layers)
            if source is None:
                problems.append(f"{relative}: lies in no folder of src/layers.txt")
                continue
            for number, line in enumerate(path.read_text(errors="replace").splitlines(), 1):
                match = INCLUDE.match(line)
                target_file = match and resolve(root, path, match.group(1))
                if not target_file:
                    continue
                target = folder_of(target_file, layers)
                where = f'{relative}:{number}: #include "{match.group(1)}"'
                if target is None or target == source:
                    continue
                if layers[target] > layers[source]:
                    problems.append(f"{where} runs up the layers: {source} (layer "
                                    f"{layers[source]}) includes {target} (layer {layers[target]})")
                edges.setdefault(source, {}).setdefault(target, where)
    cycle = find_cycle(edges)
    if cycle:
        problems.append("folders include each other in a circle: " + " -> ".join(cycle))
        problems += ["  " + edges[a][b] for a, b in zip(cycle, cycle[1:])]
    return problems


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    problems = check(root)
    for problem in problems:
        print(problem)
    print("layers: " + ("%d problems" % len(problems) if problems else "every include in order"))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
