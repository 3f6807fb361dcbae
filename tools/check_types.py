"""Type-checks the README's Python code blocks and examples/ with mypy --strict against the installed
stubs, so the documentation's own code keeps type-checking. Exits with mypy's status.

Usage: python tools/check_types.py
"""

import pathlib
import re
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[1]


def readme_blocks():
    """The README's ```python blocks, each a program of its own (each makes its own imports)."""
    return re.findall(r"^```python\n(.*?)^```", (ROOT / "README.md").read_text(), flags=re.S | re.M)


def main():
    with tempfile.TemporaryDirectory() as folder:
        files = []
        for number, block in enumerate(readme_blocks(), start=1):
            path = pathlib.Path(folder) / f"readme_block_{number}.py"
            path.write_text(block)
            files.append(str(path))
        files += sorted(str(path) for path in (ROOT / "examples").glob("*.py"))
        # Dask ships no annotations; calling it is not ours to type.
        untyped = ["--untyped-calls-exclude=dask", "--untyped-calls-exclude=distributed"]
        # The cache under build/ keeps a second run quick; the README's blocks are new files every run.
        run = subprocess.run([sys.executable, "-m", "mypy", "--strict", *untyped, "--cache-dir",
                              str(ROOT / "build" / "mypy-cache"), *files], cwd=ROOT)
    return run.returncode


if __name__ == "__main__":
    sys.exit(main())
