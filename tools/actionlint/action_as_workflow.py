#!/usr/bin/env python3
"""Prints a composite action's steps as a workflow job that actionlint can read, its inputs as the
workflow's inputs; fails on what actionlint would not see: a run step without a shell, an output
that names a step the action does not have."""
import re
import sys

import yaml

with open(sys.argv[1]) as source:
    action = yaml.safe_load(source)
problems = []
runs = action.get("runs", {})
if runs.get("using") != "composite":
    problems.append("runs.using is not composite")
steps = runs.get("steps", [])
ids = {step.get("id") for step in steps}
for number, step in enumerate(steps, 1):
    if "run" in step and "shell" not in step:
        problems.append(f"step {number} runs a script without a shell")
for name, output in action.get("outputs", {}).items():
    for step in re.findall(r"steps\.([A-Za-z0-9_-]+)\.", str(output.get("value", ""))):
        if step not in ids:
            problems.append(f"output {name} names the step {step}, which is not there")
if problems:
    sys.exit("\n".join(f"{sys.argv[1]}: {problem}" for problem in problems))
inputs = {name: {"type": "string", "required": bool(declared.get("required", False))}
          for name, declared in action.get("inputs", {}).items()}
workflow = {"on": {"workflow_dispatch": {"inputs": inputs}},
            "jobs": {"action": {"runs-on": "ubuntu-latest", "steps": steps}}}
print(yaml.safe_dump(workflow, sort_keys=False))
