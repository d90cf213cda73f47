# The commands of the README.
#   make run   installs what is missing, builds (vantrel.dll too), and runs the main job
#   make test  builds and runs every test tier
#   make dist  writes the release archive build/dist/vantrel.zip
#   make fuzz  fuzzes every target for FUZZ_SECONDS (default 300) and grows the corpora
#   make soak  reloads the configuration 10,000 times and prints the figures
#   make bench prints the performance figures (callgrind instruction counts)
#   make vsix  packages the VS Code extension as build/dist/vantrel.vsix
JOBS ?= $(shell nproc)

.PHONY: run test deps dll dist bench editor-deps vsix

deps:
	@bash scripts/install-deps.sh

# The VS Code extension's npm packages, exactly as its lock file pins them, installed again when
# the lock file changes. No install scripts run: none of the packages needs one to work, and the
# one that has one (an optional keyring module of the packager) would try to download.
EDITOR_DIR = editors/vscode
$(EDITOR_DIR)/node_modules/.package-lock.json: $(EDITOR_DIR)/package-lock.json
	cd $(EDITOR_DIR) && npm ci --ignore-scripts --no-audit --no-fund
editor-deps: deps $(EDITOR_DIR)/node_modules/.package-lock.json

VSCE = cd $(EDITOR_DIR) && npx --no-install vsce package --allow-missing-repository --skip-license
vsix: editor-deps
	mkdir -p build/dist
	$(VSCE) --out ../../build/dist/vantrel.vsix

# vantrel.dll and vantrel.exe for 32-bit Windows, in build/windows-x86/bin.
dll: deps
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 -j $(JOBS)

run: deps dll
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j $(JOBS)
	./build/linux/bin/vantrel check examples/Vantrel.txt
	./build/linux/bin/vantrel simulate examples/Vantrel.txt examples/scenario.txt

test: deps editor-deps
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
	$(MAKE) --no-print-directory reliability

bench: deps
	bash bench/instructions.sh

# The archive mirrors the game folder, with the VS Code extension beside the tool; the binaries
# are stripped and their symbols stay beside the archive in build/dist/symbols. The archive
# test's script writes it, so what ships is what that test checks.
dist: dll editor-deps
	mkdir -p build/vsix
	$(VSCE) --out ../../build/vsix/vantrel.vsix
	sh tests/dll/check_dist.sh i686-w64-mingw32-objcopy i686-w64-mingw32-objdump \
	  i686-w64-mingw32-addr2line build/windows-x86/bin examples/Vantrel.txt build/dist \
	  build/vsix/vantrel.vsix
	cp build/vsix/vantrel.vsix build/dist/vantrel.vsix
	@echo "build/dist/vantrel.zip"

# --- Reliability: fuzzing, threads, reloads (the 2,000-reload soak and the thread stress test
# also run in the linux and linux-asan tiers above) ---
FUZZ_SECONDS ?= 300
FUZZ_SMOKE_SECONDS ?= 60
FUZZ_TARGETS = fuzz_plugin fuzz_scenario fuzz_literals fuzz_lsp

.PHONY: reliability fuzz fuzz-build tsan soak

fuzz-build:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target $(FUZZ_TARGETS)

# Every target on all cores; inputs that add coverage are merged into tests/fuzz/corpus.
fuzz: deps fuzz-build
	bash tests/fuzz/run.sh fuzz $(FUZZ_SECONDS) $(JOBS)

tsan:
	cmake --preset linux-tsan >/dev/null
	cmake --build --preset linux-tsan -j $(JOBS) --target thread_stress
	ctest --preset linux-tsan

soak: deps
	cmake --preset linux >/dev/null
	cmake --build --preset linux -j $(JOBS) --target reload_soak
	./build/linux/bin/reload_soak 10000

# Run by `make test`: the thread stress test under ThreadSanitizer and each fuzz target for
# FUZZ_SMOKE_SECONDS on its corpus; any finding fails.
reliability: tsan fuzz-build
	bash tests/fuzz/run.sh smoke $(FUZZ_SMOKE_SECONDS)
