"""The download benchmark's reading of its programs' output and its goals."""
import pytest

from counterparts.services.nginx import AccessEntry
from run_bench import (Row, address_check_note, figures_of, format_table, merge_probes, one_figure_line,
                       request_time, updater_goal, updater_requests, whole_update_goal,
                       whole_update_without_check_goal, window_goal)


def test_figure_lines_of_one_program_only():
    text = ("recv_loop: bytes 268435456 seconds 3.250000 calls 262401\n"
            "wininet_read: bytes 1 seconds 9 calls 1\n"
            "noise\n")
    assert figures_of(text, "recv_loop") == [{"bytes": 268435456, "seconds": 3.25, "calls": 262401}]
    assert one_figure_line(text, "wininet_read")["seconds"] == 9


def test_probe_lines_carry_their_phase():
    text = ("window_probe: download count 812 worst_ms 12.5 p99_ms 3.1 over_limit 0 unanswered 0 limit_ms 100\n"
            "window_probe: after count 3 worst_ms 250 p99_ms 250 over_limit 1 unanswered 0 limit_ms 100\n")
    download, after = figures_of(text, "window_probe")
    assert (download["phase"], download["count"], download["worst_ms"]) == ("download", 812, 12.5)
    assert (after["phase"], after["over_limit"]) == ("after", 1)


@pytest.mark.parametrize("text", ["", "recv_loop: seconds 1\nrecv_loop: seconds 2\n"], ids=["none", "two"])
def test_a_run_must_print_exactly_one_figure_line(text):
    with pytest.raises(RuntimeError):
        one_figure_line(text, "recv_loop")


def test_a_figure_that_is_no_number_is_refused():
    with pytest.raises(ValueError):
        figures_of("recv_loop: bytes many seconds 1\n", "recv_loop")


def test_best_run_and_rate():
    row = Row("s", "c", "i", 256, [4.0, 3.2, 5.0])
    assert row.best == 3.2
    assert row.rate == pytest.approx(80.0)
    assert Row("s", "c", "i", 0, [1.0]).rate is None


@pytest.mark.parametrize("updater, loop, met", [(10.0, 9.0, True), (10.0, 8.9, False), (9.0, 10.0, True)])
def test_updater_goal_compares_throughput(updater, loop, met):
    assert updater_goal(updater, loop).met is met


@pytest.mark.parametrize("whole, met", [(12.0, True), (12.1, False)])
def test_whole_update_goal_against_the_sum_of_parts(whole, met):
    assert whole_update_goal(whole, (0.0, 6.0, 3.0, 1.0)).met is met
    # The address check (first part) counts only in the first reading.
    assert whole_update_without_check_goal(whole, (2.0, 6.0, 3.0, 1.0)).met is met


@pytest.mark.parametrize("worst, met", [(100.0, True), (100.5, False), (2000.0, False)])
def test_window_goal_is_the_worst_answer(worst, met):
    assert window_goal(worst).met is met


def test_probe_runs_merge_into_their_worst():
    merged = merge_probes([dict(count=10, worst_ms=5, p99_ms=2, over_limit=0, unanswered=0),
                           dict(count=20, worst_ms=150, p99_ms=3, over_limit=1, unanswered=1)])
    assert merged == dict(count=30, worst_ms=150, p99_ms=3, over_limit=1, unanswered=1, runs=2)


def test_table_names_each_section_once_and_marks_a_missed_goal():
    rows = [Row("download", "a", "whole", 1, [1.0]), Row("download", "b", "inside", 1, [2.0]),
            Row("update", "c", "whole", 1, [3.0])]
    table = format_table(rows, None, [window_goal(150.0)], 0.25)
    assert table.count("\ndownload\n") == 1 and table.count("\nupdate\n") == 1
    assert "150.00 (MISSED" in table
    assert "250 ms" in table


def entry(path, agent, sent=10, seconds=1.0):
    return AccessEntry(time=0.0, client="127.0.0.1", method="GET", target=path, protocol="HTTP/1.1", status=200,
                       sent=sent, length=sent, encoding="", location="", complete=True, host="h",
                       user_agent=agent, range="", seconds=seconds)


def test_the_updaters_two_requests_are_told_apart_by_their_agent():
    log = [entry("/packages/other", "Mozilla/4.0"), entry("/packages/p.vpk", "Mozilla/4.0 (compatible)", seconds=2.0),
           entry("/packages/p.vpk", "VantorUpdate", seconds=0.5)]
    check, download = updater_requests(log, "/packages/p.vpk")
    assert (check.seconds, download.seconds) == (0.5, 2.0)
    assert request_time(log, "/packages/other") == 1.0


@pytest.mark.parametrize("agents", [["VantorUpdate"], ["Mozilla/4.0"], ["VantorUpdate", "Mozilla", "Mozilla"]],
                         ids=["no-download", "no-check", "two-downloads"])
def test_a_run_without_exactly_one_check_and_one_download_is_refused(agents):
    with pytest.raises(RuntimeError):
        updater_requests([entry("/packages/p.vpk", agent) for agent in agents], "/packages/p.vpk")


def test_the_note_says_when_the_check_fetched_the_whole_body():
    assert "all 100 body bytes" in address_check_note(100, 100)
    assert "40 of 100" in address_check_note(40, 100)
