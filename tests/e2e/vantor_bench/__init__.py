"""The Wine test bench: a display, a Wine prefix, installation folders, the
programs under test and the UI driver that works their windows."""
