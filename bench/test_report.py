"""The one-table report: which figure it takes from each benchmark's JSON."""
import json

import report


def bench_entry(name, rate, aggregate=None):
    entry = {"name": name + (f"_{aggregate}" if aggregate else ""), "run_name": name, "MB/s": rate,
             "run_type": "aggregate" if aggregate else "iteration"}
    if aggregate:
        entry["aggregate_name"] = aggregate
    return entry


def test_xml_takes_the_median_over_runs_and_compares_each_peer():
    runs = {"benchmarks": [
        bench_entry("manifest_4KB/XmlDocument/walk", 90), bench_entry("manifest_4KB/XmlDocument/walk", 110),
        bench_entry("manifest_4KB/XmlDocument/walk", 100, "mean"),
        bench_entry("manifest_4KB/XmlDocument/walk", 95, "median"),
        bench_entry("manifest_4KB/pugixml/walk", 100), bench_entry("manifest_4KB/tinyxml2/walk", 50),
        bench_entry("manifest_4KB/pugixml_minimal/walk", 400),
        {"name": "manifest_4KB/tinyxml2/parse", "run_name": "manifest_4KB/tinyxml2/parse", "error_occurred": True},
    ]}
    lines = {l.figure: l for l in report.xml_lines(runs)}
    assert set(lines) == {"walk 4KB vs pugixml", "walk 4KB vs tinyxml2"}
    assert lines["walk 4KB vs pugixml"].ratio == 0.95 and lines["walk 4KB vs pugixml"].result == "MISSED"
    assert "3 ns" in lines["walk 4KB vs pugixml"].note and not lines["walk 4KB vs tinyxml2"].note
    assert lines["walk 4KB vs tinyxml2"].ratio == 1.9 and lines["walk 4KB vs tinyxml2"].result == "met"


def test_launcher_compares_with_the_bare_dialog_and_the_fast_host_alone():
    def row(section, program, reading, median):
        return {"section": section, "program": program, "reading": reading, "median": median}
    start = "start, median of 5"
    figures = {"rows": [
        row(start, "bare_dialog.exe", "process start -> window shown", 0.5),
        row(start, "VantorLogin.exe", "process start -> window shown", 1.0),
        row(start, "VantorLogin.exe", "process start -> server list shown", 2.0),
        row("update check: both hosts at once", "VantorLogin.exe", "process start -> server list shown", 2.0),
        row("update check: host A 10 s late, B at once", "VantorLogin.exe", "process start -> server list shown", 2.2),
        row("update check: host A down, B at once (B alone)", "VantorLogin.exe",
            "process start -> server list shown", 2.0),
    ]}
    ratios = [round(l.ratio, 2) for l in report.launcher_lines(figures)]
    assert ratios == [2.0, 4.0, 1.1]


def test_missing_benchmarks_are_named_and_goals_keep_their_direction(tmp_path):
    (tmp_path / "download.json").write_text(json.dumps({"rows": [], "goals": [
        {"name": "window answers", "value": 31.3, "limit": 100, "higher_is_better": False, "met": True}]}))
    lines, missing = report.collect(tmp_path)
    assert [(l.goal, l.result) for l in lines] == [("<= 100", "met")]
    assert len(missing) == len(report.SOURCES) - 1 and all("did not run" in m for m in missing)


def test_release_figure_is_read_against_hashing(tmp_path):
    (tmp_path / "release.json").write_text(json.dumps({"comparisons": [
        {"figure": "release vs sha256sum", "ours_s": 6.0, "peer_s": 5.0, "ratio": 1.2, "goal": "<= 1.2",
         "met": True}], "goals": []}))
    lines, _ = report.collect(tmp_path)
    assert [(l.area, l.ours, l.peer, l.result) for l in lines] == [("release", "6.00 s", "5.00 s", "met")]
