"""The package benchmark's reading of the tools' output, its figures and its goals."""
import importlib.util
import json
import os

import pytest

# Loaded under a name of its own: the other benchmarks have a run_bench.py too.
_spec = importlib.util.spec_from_file_location("package_run_bench",
                                               os.path.join(os.path.dirname(__file__), "run_bench.py"))
bench = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(bench)


def test_timing_line_of_the_named_function():
    text = "packed 100 files into x.pkzip\ntiming: DecomposeFile 9.0 s\ntiming: ComposeFile 0.012345 s\n"
    assert bench.timing_of(text, "ComposeFile") == 0.012345


@pytest.mark.parametrize("text", ["", "timing: ComposeFile 0.1\n", "timing: ComposeFile x s extra\n"],
                         ids=["none", "no-unit", "malformed"])
def test_missing_timing_line_stops_the_run(text):
    with pytest.raises(SystemExit):
        bench.timing_of(text, "ComposeFile")


def test_figures_keep_the_best_of_each_kind_apart():
    f = bench.Figures(10.0)
    f.add_compose(2.0, 1.5)
    f.add_compose(3.0, 1.0)  # slower whole run, faster call: both bests kept
    f.add_decompose(1.0, None)
    f.add_decompose(0.5, None)
    assert (f.compose, f.compose_in, f.decompose, f.decompose_in) == (2.0, 1.0, 0.5, None)
    whole = f.row("w", "t", inside=False)
    assert (whole["timing"], whole["compose_s"], whole["compose_mib_per_s"]) == ("whole process", 2.0, 5.0)
    assert f.row("w", "t", inside=True)["compose_s"] == 1.0


def figures(compose, decompose, compose_in=None, decompose_in=None):
    f = bench.Figures(1.0)
    f.add_compose(compose, compose_in)
    f.add_decompose(decompose, decompose_in)
    return f


def test_goals_compare_whole_processes_with_info_zip_and_calls_with_wine():
    host = figures(0.9, 1.2, compose_in=0.5, decompose_in=0.4)
    wine = figures(9.0, 9.0, compose_in=0.7, decompose_in=0.8)
    infozip = figures(1.0, 1.0)
    goals = {g["name"].split(", ", 1)[1]: g for g in bench.goals_of("small", wine, host, infozip)}
    assert len(goals) == 4
    assert goals["compose: host / Info-ZIP time, whole processes"]["value"] == pytest.approx(0.9)
    assert goals["compose: host / Info-ZIP time, whole processes"]["met"]
    assert not goals["decompose: host / Info-ZIP time, whole processes"]["met"]
    assert goals["compose: DLL under Wine / host time, inside the calls"]["met"]  # 1.4
    assert not goals["decompose: DLL under Wine / host time, inside the calls"]["met"]  # 2.0
    json.dumps(goals)  # what the report file takes


def test_wine_beside_the_file_work_alone_under_wine():
    host, infozip = figures(0.9, 1.2, compose_in=0.1, decompose_in=0.05), figures(1.0, 1.0)
    wine = figures(9.0, 9.0, compose_in=0.3, decompose_in=0.25)
    floor = figures(1.0, 1.0, compose_in=0.25, decompose_in=0.2)
    rows = {r["figure"]: r for r in bench.comparisons_of("small", host, infozip, wine, floor)}
    beside = rows["small, decompose under Wine vs the file work alone"]
    assert (beside["ours_s"], beside["peer_s"], beside["ratio"], beside["met"]) == (0.25, 0.2, 1.25, None)
    assert len(rows) == 4 and len(bench.comparisons_of("small", host, infozip)) == 2
    goals = {g["name"].split(", ", 1)[1]: g for g in bench.goals_of("small", wine, host, infozip, floor)}
    assert "alone under Wine takes 0.250 s, the DLL 1.20 times" in \
        goals["compose: DLL under Wine / host time, inside the calls"]["reading"]


def test_cpu_times_are_read_beside_the_wall_times():
    host, infozip = bench.Figures(1.0), bench.Figures(1.0)
    host.add_compose(1.0, 0.5, cpu=0.3)
    host.add_decompose(1.0, 0.5, cpu=0.2)
    infozip.add_compose(1.0, None, cpu=0.6)
    infozip.add_decompose(1.0, None, cpu=0.4)
    compose = bench.goals_of("small", None, host, infozip)[0]
    assert "CPU time 0.300 s vs 0.600 s, ratio 0.50" in compose["reading"]
    assert host.row("small", "host", inside=False)["compose_cpu_s"] == 0.3
    assert host.row("small", "host", inside=True)["compose_cpu_s"] is None


def test_without_wine_only_the_info_zip_goals_remain():
    goals = bench.goals_of("big", None, figures(1.0, 1.0, 0.5, 0.5), figures(1.0, 2.0))
    assert [g["met"] for g in goals] == [True, True]


def test_comparisons_are_what_the_summary_table_reads():
    (compose, decompose) = bench.comparisons_of("small", figures(1.5, 1.0), figures(1.0, 2.0))
    assert set(compose) >= {"figure", "ours_s", "peer_s", "ratio", "goal", "met", "note"}
    assert (compose["ratio"], compose["met"], decompose["ratio"], decompose["met"]) == (1.5, False, 0.5, True)


def test_wine_runs_without_a_display_in_a_prefix_per_architecture():
    env = bench.wine_env({"DISPLAY": ":5", "WINEARCH": "win64", "PATH": "/x"})
    assert "DISPLAY" not in env
    assert env["WINEARCH"] == "win64" and env["WINEPREFIX"].endswith("-win64")
    assert bench.wine_env({})["WINEARCH"] == "win32"


def test_parcel_under_wine_runs_the_host_commands_with_windows_paths():
    calls = []
    for tool in (bench.Parcel("host", {}, "/b/parcel_host"), bench.ParcelWine("wine", {}, "/b/parcel.exe")):
        tool.timed = lambda args, function: calls.append((args, function))
        tool.compose("/w/g", "/w/out")
        tool.decompose(tool.archive("/w/out"), "/w/t")
    (host_pack, host_unpack), (wine_pack, wine_unpack) = calls[:2], calls[2:]
    assert host_pack == (["/b/parcel_host", "--timing", "pack", "/w/g", "/w/g/updateFile.xml", "/w/out/p.pk"],
                         "ComposeFile")
    assert wine_pack[0] == ["wine", "/b/parcel.exe", "--timing", "pack", "Z:\\w\\g", "Z:\\w\\g\\updateFile.xml",
                            "Z:\\w\\out\\p.pk"]
    assert wine_unpack == (["wine", "/b/parcel.exe", "--timing", "unpack", "Z:\\w\\out\\p.pkzip", "Z:\\w\\t"],
                           "DecomposeFile")
    assert host_unpack[0][1:3] == ["--timing", "unpack"]
