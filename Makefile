# Shorter names for the README's commands, once tools/setup has installed
# make; the work is in tools/.
.PHONY: test run bench dist

test:
	@tools/test

run:
	@tools/run

bench:
	@tools/bench

dist:
	@tools/dist
