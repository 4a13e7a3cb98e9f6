# Front door for the two everyday commands; the work is in tools/.
.PHONY: test run bench

test:
	@tools/test

run:
	@tools/run

bench:
	@tools/bench
