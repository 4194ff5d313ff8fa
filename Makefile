# make run: install what is missing, build, start the game.
# make test: install what is missing, build, run every test through CTest.
# make deb: install what is missing, build the Debian package into build-deb/.
# make windows: install what is missing, cross-build the Windows program, its
# zip and its installer into build-win/.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
WIN_BUILD_DIR ?= build-win
JOBS ?= $(shell nproc)

.PHONY: all build run test test-asan deb windows bench screenshots deps-build deps-run deps-deb deps-windows deps-test configure clean

all: build

deps-build deps-run deps-deb deps-windows deps-test: deps-%:
	@scripts/deps.sh $*

# The Linux build's tests run the Windows program from $(WIN_BUILD_DIR).
$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
	    -DQUARVEL_WINDOWS_EXE=$(abspath $(WIN_BUILD_DIR))/quarvel.exe

configure: $(BUILD_DIR)/CMakeCache.txt

build: deps-build configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps-run configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quarvel
	$(BUILD_DIR)/quarvel

# Every test, the Windows program's under Wine among them.
test: deps-test configure windows
	tests/web/setup.sh
	cmake --build $(BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps-test
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# The Debian package from debian/, built by dpkg-buildpackage in a copy of the
# tree under build-deb/, where the .deb lands.
deb: deps-deb
	JOBS=$(JOBS) scripts/deb.sh build-deb

# The Windows program, built with mingw-w64 and no Qt: its icons are drawn by
# the Linux build's makeicons, which is built first. Makes
# $(WIN_BUILD_DIR)/quarvel.exe and quarvel-<version>-windows-x64.zip beside it,
# holding quarvel.exe, LICENSE and README.txt, and the installer
# quarvel-<version>-x64.msi, built with wixl.
windows: deps-windows configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target makeicons
	[ -f $(WIN_BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(WIN_BUILD_DIR) -G Ninja \
	    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
	    -DQUARVEL_MAKEICONS=$(abspath $(BUILD_DIR))/assets/makeicons
	cmake --build $(WIN_BUILD_DIR) -j $(JOBS)

# Start-up, memory, click latency, idle cost and celebration time against a
# bare Qt window and the installed peers; prints one table.
bench: deps-test
	scripts/bench.sh

# Screenshots of the real window for README.md and the metainfo.
screenshots: deps-test build
	scripts/screenshots.sh

clean:
	rm -rf $(BUILD_DIR) $(WIN_BUILD_DIR)
