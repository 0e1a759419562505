# SPDX-FileCopyrightText: 2026 The Cambrivo developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Front door: `make run` builds and starts the program, `make test` builds and runs every test.
# Both install the missing Debian packages first.

DEPS := cmake ninja-build g++ qt6-base-dev qt6-l10n-tools libxcb-xinput-dev libboost-dev \
        libbenchmark-dev qt6-translations-l10n fonts-dejavu-extra xvfb openbox xdotool x11-utils \
        x11-xkb-utils dbus at-spi2-core desktop-file-utils \
        python3-pyatspi python3-pytest python3-pytest-xvfb python3-xlib orca speech-dispatcher
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

# `make package` packs the tracked files of the working tree but debian/ into the upstream
# tarball build/deb/cambrivo_VERSION.orig.tar.gz (on a clean checkout the files of `git archive
# HEAD ':!debian'`), reproducibly: in path order, with HEAD's commit time, owner root and modes
# 644 or 755. It unpacks the tarball beside itself, adds debian/ (dated alike), and builds the
# source and binary packages there with dpkg-buildpackage, so that nothing it writes touches the
# tree.
# packaging/check-package.sh checks, installs, tests and purges the result;
# packaging/check-reproducible.sh builds it twice.
PKG_DEPS := dpkg-dev debhelper fakeroot lintian autopkgtest
PKG_DIR := build/deb

package:
	@$(MAKE) --no-print-directory deps DEPS="$(PKG_DEPS)"
	@dpkg-checkbuilddeps 2>/dev/null || { $(SUDO) apt-get update -qq && \
	    $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq ./; }
	rm -rf $(PKG_DIR)
	mkdir -p $(PKG_DIR)
	upstream=$$(dpkg-parsechangelog -S Version | sed 's/-[^-]*$$//') && \
	    orig=$(PKG_DIR)/cambrivo_$$upstream.orig.tar.gz && \
	    git ls-files -z -- . ':!debian' | \
	        tar -c -f - --null --verbatim-files-from -T - --ignore-failed-read --format=gnu \
	            --mtime=@$$(git log -1 --format=%ct) --owner=0 --group=0 --numeric-owner \
	            --mode=u+w,go-w,a+rX --transform="s,^,cambrivo-$$upstream/,S" | \
	        gzip -9 -n > $$orig && \
	    tar -x -f $$orig -C $(PKG_DIR) && \
	    git ls-files -z debian | \
	        tar -c -f - --null --verbatim-files-from -T - --mtime=@$$(git log -1 --format=%ct) | \
	        tar -x -C $(PKG_DIR)/cambrivo-$$upstream && \
	    cd $(PKG_DIR)/cambrivo-$$upstream && dpkg-buildpackage -us -uc -Jauto

# Every file states its copyright and licence, in a header or in .reuse/dep5.
.PHONY: reuse-lint
reuse-lint:
	@$(MAKE) --no-print-directory deps DEPS=reuse
	reuse lint

SHOT_DEPS := python3-xlib

.PHONY: package screenshots

# The strip, its menu and both dialogs at scale factors 1 and 2, into build/screenshots/.
screenshots: build
	@$(MAKE) --no-print-directory deps DEPS="$(SHOT_DEPS)"
	/usr/bin/python3 packaging/screenshots.py build/cambrivo build/screenshots

# Each fuzz target explores for about a minute from its seed corpus in fuzz/corpus/; what it
# learns, and any failing input, stays in build-fuzz/.
.PHONY: fuzz
fuzz: DEPS += clang-14 libclang-rt-14-dev
fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	for t in fuzz_ini fuzz_amount; do \
	    mkdir -p build-fuzz/corpus/$$t && \
	    build-fuzz/fuzz/$$t -max_total_time=60 -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
	        -artifact_prefix=build-fuzz/$$t- build-fuzz/corpus/$$t fuzz/corpus/$$t || exit 1; \
	done
