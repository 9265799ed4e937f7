#!/usr/bin/env python3
"""Checks the result files the tests hold byte for byte (the golden files of the
JUnit and JSON writers and of the timeline) the way their readers take them:
the JUnit file against the rules of the common JUnit XML schema that GitLab and
Jenkins read, with counts that add up; the JSON files against the schemas in
docs/; the SVG as well-formed XML.

usage: validate_result_files.py TESTS_RESULTS_DIR DOCS_DIR
Exit 0 when all hold, 1 with the faults listed, 77 when jsonschema is missing."""

import json
import re
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

try:
    import jsonschema
except ImportError:
    print("python3-jsonschema is not installed: skipped")
    sys.exit(77)

# The common JUnit XML schema (Jenkins' junit-10.xsd, as GitLab reads it too):
# the attributes each element may carry, those it must carry, and its children.
ALLOWED = {
    "testsuites": {"name", "time", "tests", "failures", "disabled", "errors"},
    "testsuite": {"name", "tests", "failures", "errors", "time", "disabled", "skipped",
                  "timestamp", "hostname", "id", "package", "file", "log", "url", "version",
                  "group"},
    "properties": set(),
    "property": {"name", "value"},
    "testcase": {"name", "assertions", "time", "classname", "status", "class", "file", "line",
                 "log", "group", "url"},
    "skipped": {"message"},
    "error": {"message", "type"},
    "failure": {"message", "type"},
    "system-out": set(),
    "system-err": set(),
}
REQUIRED = {"testsuite": {"name", "tests"}, "property": {"name", "value"}, "testcase": {"name"}}
SUITE_ORDER = ["properties", "testcase", "system-out", "system-err"]
CASE_CHILDREN = {"skipped", "error", "failure", "system-out", "system-err"}
TIME = re.compile(r"^(([0-9]{0,3},)*[0-9]{3}|[0-9]{0,3})*(\.[0-9]{0,3})?$")
TIMESTAMP = re.compile(r"^[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}$")
COUNT = re.compile(r"^[0-9]+$")

faults = []


def fault(text):
    faults.append(text)


def check_attributes(element):
    tag = element.tag
    extra = set(element.attrib) - ALLOWED.get(tag, set())
    if extra:
        fault(f"<{tag}> carries {sorted(extra)}, which the schema does not allow")
    missing = REQUIRED.get(tag, set()) - set(element.attrib)
    if missing:
        fault(f"<{tag}> lacks {sorted(missing)}")
    for name in ("tests", "failures", "errors", "skipped", "disabled"):
        if name in element.attrib and not COUNT.match(element.attrib[name]):
            fault(f"<{tag} {name}=\"{element.attrib[name]}\"> is no count")
    if "time" in element.attrib and not TIME.match(element.attrib["time"]):
        fault(f"<{tag} time=\"{element.attrib['time']}\"> is no time")
    if "timestamp" in element.attrib and not TIMESTAMP.match(element.attrib["timestamp"]):
        fault(f"<{tag} timestamp=\"{element.attrib['timestamp']}\"> is no ISO 8601 time")


def check_junit(path):
    root = ET.parse(path).getroot()
    if root.tag != "testsuites":
        fault(f"{path.name}: the root is <{root.tag}>, not <testsuites>")
        return []
    check_attributes(root)
    totals = {"tests": 0, "failures": 0, "errors": 0}
    suites = []
    for suite in root:
        if suite.tag != "testsuite":
            fault(f"<testsuites> holds <{suite.tag}>")
            continue
        check_attributes(suite)
        order = [SUITE_ORDER.index(c.tag) if c.tag in SUITE_ORDER else -1 for c in suite]
        if -1 in order or order != sorted(order) or order.count(0) > 1 or order.count(2) > 1:
            fault(f"testsuite {suite.get('name')}: children {[c.tag for c in suite]} break "
                  "properties?, testcase*, system-out?, system-err?")
        counted = {"tests": 0, "failures": 0, "errors": 0, "skipped": 0}
        for child in suite:
            for grandchild in child:
                check_attributes(grandchild)
            if child.tag != "testcase":
                continue
            check_attributes(child)
            counted["tests"] += 1
            tags = [c.tag for c in child]
            if set(tags) - CASE_CHILDREN:
                fault(f"testcase {child.get('name')} holds {tags}")
            counted["failures"] += "failure" in tags
            counted["errors"] += "error" in tags
            counted["skipped"] += "skipped" in tags
        for name, value in counted.items():
            if int(suite.get(name, "0")) != value:
                fault(f"testsuite {suite.get('name')}: {name}=\"{suite.get(name)}\" but "
                      f"{value} testcases say so")
        for name in totals:
            totals[name] += counted[name]
        suites.append(counted)
    for name, value in totals.items():
        if int(root.get(name, "0")) != value:
            fault(f"testsuites: {name}=\"{root.get(name)}\" but the suites add up to {value}")
    return suites


def check_json(path, schema_path):
    schema = json.loads(schema_path.read_text(encoding="utf-8"))
    jsonschema.Draft202012Validator.check_schema(schema)
    document = json.loads(path.read_text(encoding="utf-8"))
    validator = jsonschema.Draft202012Validator(schema)
    for error in validator.iter_errors(document):
        fault(f"{path.name} at {list(error.absolute_path)}: {error.message}")
    return document


def main():
    results, docs = Path(sys.argv[1]), Path(sys.argv[2])
    suites = check_junit(results / "three_runs.junit.xml")
    before = len(faults)
    runs = check_json(results / "three_runs.json", docs / "vlt-results.schema.json")["runs"]
    valid_runs = len(faults) == before
    check_json(results / "summary.json", docs / "vlt-summary.schema.json")
    # One model, two writers: the same counts in both files.
    if not valid_runs:
        runs = []
    elif len(suites) != len(runs):
        fault(f"{len(suites)} testsuites but {len(runs)} runs")
    for suite, run in zip(suites, runs):
        tally = run["tally"]
        aborted = 1 if run["abort"] is not None else 0
        expected = {"tests": tally["PASS"] + tally["DNP"] + tally["____"] + aborted,
                    "failures": tally["DNP"], "errors": aborted, "skipped": tally["____"]}
        if suite != expected:
            fault(f"run {run['code']}: JUnit counts {suite}, JSON tally says {expected}")
    svg = ET.parse(results / "a10_pass_timeline.svg").getroot()
    if svg.tag != "{http://www.w3.org/2000/svg}svg":
        fault(f"the timeline's root is {svg.tag}")
    for text in faults:
        print(text)
    print("result files: " + ("ok" if not faults else f"{len(faults)} fault(s)"))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
