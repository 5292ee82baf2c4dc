# The two commands are `make run` and `make test`; everything else is for
# developers. Each target installs what is missing first.

BUILD_TEST    := build
BUILD_RELEASE := build-release
BUILD_PACKAGE := build-package
PREFIX        ?= /usr/local
GENERATOR     := $(shell command -v ninja >/dev/null 2>&1 && echo "-G Ninja")
JOBS          ?= 2

.PHONY: run test deps build release bench fuzz soak textures shots goldens \
        windows test-windows web serve-web web-package install package windows-package \
        fresh-check format clean

run: release
	@scripts/run.sh $(BUILD_RELEASE)

test: build
	ctest --test-dir $(BUILD_TEST) --output-on-failure -j$(JOBS)
	scripts/fuzz.sh short
	scripts/windows.sh test
	scripts/web.sh test $(BUILD_TEST)/tools/shot/tvlounge-shot

deps:
	@scripts/install-deps

# Tests build with AddressSanitizer and UBSan.
build: deps
	@[ -f $(BUILD_TEST)/CMakeCache.txt ] || cmake -S . -B $(BUILD_TEST) $(GENERATOR) \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTVL_SANITIZE=ON
	cmake --build $(BUILD_TEST) -j$(JOBS)

release: deps
	@[ -f $(BUILD_RELEASE)/CMakeCache.txt ] || cmake -S . -B $(BUILD_RELEASE) $(GENERATOR) \
	  -DCMAKE_BUILD_TYPE=Release -DTVL_TESTS=OFF
	cmake --build $(BUILD_RELEASE) -j$(JOBS)

bench: release
	scripts/bench.sh $(BUILD_RELEASE)
	scripts/web.sh bench

fuzz: deps
	scripts/fuzz.sh long

soak: build
	scripts/soak.sh $(BUILD_TEST) long

textures: release
	$(BUILD_RELEASE)/tools/make-textures data/texture

shots: release
	scripts/shots.sh $(BUILD_RELEASE)

goldens: build
	scripts/goldens.sh $(BUILD_TEST)

# The game, its data, the snapshot tool, desktop entry, icon and man pages
# under $(PREFIX); DESTDIR works as usual.
install: deps
	cmake -S . -B $(BUILD_RELEASE) $(GENERATOR) -DCMAKE_BUILD_TYPE=Release \
	  -DTVL_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD_RELEASE) -j$(JOBS)
	cmake --install $(BUILD_RELEASE)

# build-package/tvlounge_<version>_amd64.deb, checked with lintian.
package: deps
	scripts/package.sh $(BUILD_PACKAGE)

# build-windows/tvlounge-windows-x64.zip: tvlounge.exe, data/, README.txt.
windows-package: deps
	scripts/windows.sh package

# The two commands on a minimal fresh Debian 12 root (tens of minutes; needs
# root and the network). Not part of `make test`.
fresh-check:
	scripts/fresh-check

# build-windows/tvlounge-setup-x64.exe: the zip's files in a per-user
# installer with a Start-menu shortcut and an uninstaller.
.PHONY: windows-installer
windows-installer: deps
	scripts/windows.sh installer

windows: deps
	scripts/windows.sh build

test-windows: deps
	scripts/windows.sh test

web: deps
	scripts/web.sh build

serve-web: deps
	scripts/web.sh serve

# build-web/tvlounge-web-<version>.zip: the page for any static host or a
# game portal's upload, index.html at its root.
web-package: deps
	scripts/web.sh package

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

# build/fresh may hold a root with /dev mounted (an interrupted fresh-check):
# never follow into another file system.
clean:
	rm -rf --one-file-system $(BUILD_TEST) $(BUILD_RELEASE) build-*
