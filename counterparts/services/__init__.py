"""Working versions of the game operator's web services, for tests and the
demo: each serves its hosts of the development deployment on their own
loopback addresses and records every request it receives."""
