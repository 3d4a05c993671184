# The two commands of the README: `make run` starts Torvel, `make test` runs every test.
# Both install missing Debian packages first, then configure and build.
BUILD ?= build
JOBS ?= 2

.PHONY: run test build deps deps-test configure clean

run: deps build
	$(BUILD)/bin/torvel

test: deps-test build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

deps:
	@scripts/install-deps.sh

deps-test:
	@scripts/install-deps.sh --test

configure:
	@test -f $(BUILD)/CMakeCache.txt || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j$(JOBS)

clean:
	rm -rf $(BUILD)
