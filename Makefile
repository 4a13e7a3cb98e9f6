# Front door for the everyday commands; the work is in tools/.
.PHONY: test run bench dist

test:
	@tools/test

run:
	@tools/run

bench:
	@tools/bench

dist:
	@tools/dist
