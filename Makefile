# Front door: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the missing Debian packages first.

DEPS := cmake ninja-build g++ qt6-base-dev libboost-dev libbenchmark-dev libx11-dev \
        fonts-dejavu-core xvfb openbox xdotool x11-utils dbus at-spi2-core python3-pyatspi \
        python3-xlib
SUDO := $(if $(filter 0,$(shell id -u)),,sudo)

.PHONY: deps build run test test-sanitize bench format clean

deps:
	@missing=$$(for p in $(DEPS); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing: $$missing"; \
	    $(SUDO) apt-get update -qq && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	./build/cambrivo

test: build
	ctest --preset default -j2

test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize -j2

bench: build
	/usr/bin/python3 bench/startup.py build

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize
