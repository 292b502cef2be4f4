BUILD ?= build

.PHONY: all bootstrap build test demo bench release clean

all: build

bootstrap:
	@bash tools/bootstrap.sh

build: bootstrap
	@bash tools/configure-build.sh $(abspath $(BUILD))

test: bootstrap
	@ORVELIN_BUILD=$(abspath $(BUILD)) bash tools/run-tests.sh

demo: build
	@ORVELIN_BUILD=$(abspath $(BUILD)) bash tools/demo.sh

release: bootstrap
	@ORVELIN_BUILD=$(abspath $(BUILD)) bash tools/release.sh

bench: build
	@ORVELIN_BUILD=$(abspath $(BUILD)) bash tools/bench.sh

clean:
	rm -rf $(BUILD)
