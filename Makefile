# The two commands of the README.
#   make run   installs what is missing, builds, and runs the main job
#   make test  builds and runs every test tier
JOBS ?= $(shell nproc)

.PHONY: run test deps

deps:
	@bash scripts/install-deps.sh

run: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j $(JOBS)
	./build/linux/bin/vantrel check
	./build/linux/bin/vantrel simulate

test: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j $(JOBS)
	ctest --preset linux
	cmake --preset linux-asan >/dev/null
	cmake --build --preset linux-asan -j $(JOBS)
	ctest --preset linux-asan
