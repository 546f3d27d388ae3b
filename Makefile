# make run    installs what is missing, builds, starts the window
# make test   installs, builds, runs every test
# make bench  benchmarks (Release build), then the 8-bit reduction's quality beside ImageMagick's,
#             then a batch of 200 skins by quiltane-cli --each beside ImageMagick's mogrify
# make bench-batch  only the batch beside mogrify (bench/batch.sh)
# make fuzz   installs clang, then runs every fuzz target (fuzz/: the BMP and OBJ readers) under
#             libFuzzer, each FUZZ_SECONDS (60), keeping what it finds in FUZZ_CORPUS
#             (build-fuzz/fuzz/corpus)
# make sanitize  every test but the window's under AddressSanitizer and UBSan
# make install   both programs, the menu entry, the icons and the manual page into PREFIX (~/.local)
# make uninstall removes exactly the files the last make install wrote (build/install_manifest.txt)
# make deb       a Debian package of the same files under /usr (Release build), in build-release/

BUILD      := build
JOBS       := $(shell nproc)
PREFIX     ?= $(HOME)/.local

.PHONY: all deps build run test bench bench-batch fuzz sanitize install uninstall deb clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display to show the window on: run it under a virtual one with 'xvfb-run make run'."; exit 1; fi
	$(BUILD)/bin/quiltane

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

sanitize: deps
	cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILTANE_GUI=OFF -DQUILTANE_BENCH=OFF \
	  -DQUILTANE_SANITIZE=address,undefined
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-release -j $(JOBS) --target quiltane_bench quiltane_quality quiltane-cli
	QT_QPA_PLATFORM=offscreen $(BUILD)-release/bin/quiltane_bench --benchmark_min_time=0.2
	$(BUILD)-release/bin/quiltane_quality
	bench/batch.sh $(BUILD)-release

bench-batch: deps
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-release -j $(JOBS) --target quiltane-cli
	bench/batch.sh $(BUILD)-release

# FUZZ_SECONDS and FUZZ_CORPUS reach fuzz/run.sh through the environment.
fuzz:
	@scripts/install-deps.sh fuzz
	CXX=clang++ cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILTANE_GUI=OFF \
	  -DQUILTANE_BENCH=OFF -DQUILTANE_FUZZ=ON
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target run_fuzzers

install: build
	cmake --install $(BUILD) --prefix "$(PREFIX)"

# Only what the package holds is built: cpack installs it without building anything.
deb: deps
	cmake -S . -B $(BUILD)-release -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD)-release -j $(JOBS) --target quiltane quiltane-cli quiltane_man_page quiltane_icons
	cd $(BUILD)-release && cpack
	@echo "Install it with: sudo apt install ./$$(ls -t $(BUILD)-release/quiltane_*.deb | head -n 1)"

uninstall:
	cmake -DMANIFEST=$(BUILD)/install_manifest.txt -P desktop/uninstall.cmake

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-release $(BUILD)-fuzz
