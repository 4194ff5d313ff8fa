# make run: install what is missing, build, start the game.
# make test: install what is missing, build, run every test through CTest.
# make deb: install what is missing, build the Debian package into build-deb/.
# make windows: install what is missing, cross-build the Windows program, its
# zip and its installer into build-win/.
# make web: install what is missing, build the page into build-web/; make serve
# serves it on 127.0.0.1.
# make release: all three, and every file a user downloads with their
# SHA256SUMS in build-release/.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
WIN_BUILD_DIR ?= build-win
WEB_BUILD_DIR ?= build-web
EMSCRIPTEN_BUILD_DIR ?= build-emscripten
RELEASE_DIR ?= build-release
# Debian's emscripten runs its tools on the system's node, which finds its
# modules only here.
export NODE_PATH ?= /usr/share/nodejs
JOBS ?= $(shell nproc)

.PHONY: all build run test test-asan deb windows web release serve bench bench-web screenshots deps-build deps-run deps-deb deps-windows deps-web deps-test configure clean

all: build

deps-build deps-run deps-deb deps-windows deps-web deps-test: deps-%:
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

# Every test, the Windows program's under Wine and the page's in the browsers among them.
test: deps-test configure windows web
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

# The page: the game built with emscripten for the browser, into
# $(WEB_BUILD_DIR)/, which holds everything the page loads and nothing else;
# its pictures are drawn by the Linux build's makeicons. The build fails when
# the first visit weighs more than 80 KB gzipped, and prints what it weighs.
web: deps-web configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target makeicons
	[ -f $(EMSCRIPTEN_BUILD_DIR)/CMakeCache.txt ] || cmake -S . -B $(EMSCRIPTEN_BUILD_DIR) -G Ninja \
	    -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
	    -DCMAKE_BUILD_TYPE=MinSizeRel -DQUARVEL_SITE_DIR=$(abspath $(WEB_BUILD_DIR)) \
	    -DQUARVEL_MAKEICONS=$(abspath $(BUILD_DIR))/assets/makeicons
	cmake --build $(EMSCRIPTEN_BUILD_DIR) -j $(JOBS)
	@awk -F '\t' '{ printf "%9s %9s  %s\n", $$1, $$2, $$3 }' \
	    $(EMSCRIPTEN_BUILD_DIR)/packaging/web/first-load.txt

# Every file a user downloads, in $(RELEASE_DIR)/ with their SHA256SUMS: the
# Windows zip and installer, the Debian package with its debug symbols, and the
# page as one zip. Every build of one commit gives the same bytes, wherever and
# whenever it runs (README.md, "Releases").
release: windows web deb
	scripts/release.sh $(RELEASE_DIR) $(WIN_BUILD_DIR) $(WEB_BUILD_DIR) build-deb

# Serves $(WEB_BUILD_DIR)/ on http://127.0.0.1:8000/ (PORT=... for another).
serve:
	node scripts/serve.mjs $(WEB_BUILD_DIR) $${PORT:-8000}

# Start-up, memory, click latency, idle cost and celebration time against a
# bare Qt window and the installed peers; prints one table. Then the page in
# headless chromium against a bare static page: first paint, memory and idle
# wake-ups; prints a second table (make bench-web for that one alone).
bench: deps-test
	scripts/bench.sh
	$(MAKE) bench-web

# Drives chromium through the browser tests' puppeteer-core (tests/web/setup.sh).
bench-web: deps-test web
	tests/web/setup.sh
	WEB_SITE_DIR=$(WEB_BUILD_DIR) node scripts/bench/web.mjs

# Screenshots of the real window for README.md and the metainfo.
screenshots: deps-test build
	scripts/screenshots.sh

clean:
	rm -rf $(BUILD_DIR) $(WIN_BUILD_DIR) $(WEB_BUILD_DIR) $(EMSCRIPTEN_BUILD_DIR) $(RELEASE_DIR)
