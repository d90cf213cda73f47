# The commands of the README.
#   make run   installs what is missing, builds (vantrel.dll too), and runs the main job
#   make test  builds and runs every test tier
#   make dist  writes the release archive build/dist/vantrel.zip
JOBS ?= $(shell nproc)

.PHONY: run test deps dll dist

deps:
	@bash scripts/install-deps.sh

# vantrel.dll and vantrel.exe for 32-bit Windows, in build/windows-x86/bin.
dll: deps
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 -j $(JOBS)

run: deps dll
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j $(JOBS)
	./build/linux/bin/vantrel check examples/Vantrel.txt
	./build/linux/bin/vantrel simulate examples/Vantrel.txt examples/scenario.txt

test: deps
	bash scripts/check-layers.sh
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j $(JOBS)
	ctest --preset linux
	cmake --preset linux-asan >/dev/null
	cmake --build --preset linux-asan -j $(JOBS)
	ctest --preset linux-asan
	cmake --preset m32 >/dev/null
	cmake --build --preset m32 -j $(JOBS) --target vantrel_machine_tests vantrel_boundary_tests
	ctest --preset m32
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 -j $(JOBS)
	ctest --preset windows-x86

# The archive mirrors the game folder; the tool sits beside it.
dist: dll
	rm -rf build/dist
	mkdir -p build/dist/vantrel/Data/WOBK/Plugins build/dist/vantrel/Tools
	cp build/windows-x86/bin/vantrel.dll build/dist/vantrel/Data/WOBK/Plugins/vantrel.dll
	cp examples/Vantrel.txt build/dist/vantrel/Data/WOBK/Plugins/Vantrel.txt
	cp build/windows-x86/bin/vantrel.exe build/dist/vantrel/Tools/vantrel.exe
	cd build/dist/vantrel && cmake -E tar cf ../vantrel.zip --format=zip Data Tools
	@echo "build/dist/vantrel.zip"
