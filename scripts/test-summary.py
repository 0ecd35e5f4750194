#!/usr/bin/env python3
"""test-summary.py BUILD: after a CTest run, names every failing GoogleTest case with its first failure line,
every failed CTest test that left no GoogleTest result (a crash, a script test), and the totals."""
import pathlib
import re
import sys
import xml.etree.ElementTree as ET

build = pathlib.Path(sys.argv[1])
run = failed = disabled = 0
failures = []
suites_with_results = set()
for result in sorted((build / "test-results").glob("*.xml")):
    suites_with_results.add(result.stem)
    try:
        root = ET.parse(result).getroot()
    except ET.ParseError as error:
        failures.append(f"{result.stem}: unreadable result file ({error})")
        continue
    disabled += int(root.get("disabled", 0))
    for case in root.iter("testcase"):
        if case.get("status") != "run" or case.get("result", "completed") == "skipped":
            continue
        run += 1
        failure = case.find("failure")
        if failure is not None:
            failed += 1
            # GoogleTest puts "file:line" on a line of its own before the message.
            message = [line.strip() for line in (failure.get("message") or "").splitlines() if line.strip()]
            if len(message) > 1 and re.fullmatch(r".*:\d+", message[0]):
                message = [f"{message[0]}: {message[1]}"]
            first = message[0] if message else "(no message)"
            failures.append(f"{result.stem}: {case.get('classname')}.{case.get('name')}\n      {first}")

failed_log = build / "Testing" / "Temporary" / "LastTestsFailed.log"
if failed_log.exists():
    for line in failed_log.read_text().splitlines():
        name = line.split(":", 1)[-1]
        if name not in suites_with_results:
            failures.append(f"{name}: failed (no GoogleTest result; see its output above)")

for line in failures:
    print("FAILED  " + line)
print(f"GoogleTest cases: {run} run, {failed} failed, {disabled} disabled")
