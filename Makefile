# make run: install what is missing, build, start the game.
# make test: install what is missing, build, run every test through CTest.
# make deb: install what is missing, build the Debian package into build-deb/.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= $(shell nproc)

.PHONY: all build run test test-asan deb bench screenshots deps-build deps-run deps-deb deps-test configure clean

all: build

deps-build deps-run deps-deb deps-test: deps-%:
	@scripts/deps.sh $*

$(BUILD_DIR)/CMakeCache.txt:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)

configure: $(BUILD_DIR)/CMakeCache.txt

build: deps-build configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: deps-run configure
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quarvel
	$(BUILD_DIR)/quarvel

test: deps-test configure
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

# Start-up, memory, click latency, idle cost and celebration time against a
# bare Qt window and the installed peers; prints one table.
bench: deps-test
	scripts/bench.sh

# Screenshots of the real window for README.md and the metainfo.
screenshots: deps-test build
	scripts/screenshots.sh

clean:
	rm -rf $(BUILD_DIR)
