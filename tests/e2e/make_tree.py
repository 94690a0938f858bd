#!/usr/bin/env python3
"""Creates a website folder of N pages in folders of 500 for the end-to-end tests and benchmarks.

Usage: make_tree.py FOLDER N. A finished tree is marked and reused by later runs."""
import os
import sys


def make_tree(root, pages):
    done = os.path.join(root, ".complete-%d" % pages)
    if os.path.exists(done):
        return
    for index in range(pages):
        folder = os.path.join(root, "part%03d" % (index // 500))
        if index % 500 == 0:
            os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "page%05d.htm" % index), "w") as page:
            page.write("<!DOCTYPE html><title>page %d</title>\n" % index)
    open(done, "w").close()


if __name__ == "__main__":
    make_tree(sys.argv[1], int(sys.argv[2]))
