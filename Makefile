BUILD ?= build
CMAKE_FLAGS ?= -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake

.PHONY: all bootstrap build test demo bench clean

all: build

bootstrap:
	@bash tools/bootstrap.sh

build: bootstrap
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BUILD)

test: build
	@bash tools/run-tests.sh

demo: build
	@bash tools/demo.sh

bench: build
	@bash tools/bench.sh

clean:
	rm -rf $(BUILD)
