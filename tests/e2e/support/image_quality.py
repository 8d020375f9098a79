"""Independent readings of the image files Vistrane writes, through
ImageMagick: what identify sees in a file, and how close two images are."""

import subprocess

from vistrane_e2e import check


def identify(path):
    """(format, width, height, bits per pixel of the file, colours used)."""
    result = subprocess.run(["identify", "-format", "%m %w %h %z %k", str(path)],
                            capture_output=True, text=True, timeout=60)
    check(result.returncode == 0, f"identify cannot read {path.name}: {result.stderr}")
    form, width, height, depth, colours = result.stdout.split()
    return form, int(width), int(height), int(depth), int(colours)


def psnr(a, b):
    """Peak signal-to-noise ratio of b against a in dB (inf when equal)."""
    result = subprocess.run(["compare", "-metric", "PSNR", str(a), str(b), "null:"],
                            capture_output=True, text=True, timeout=60)
    check(result.returncode in (0, 1), f"compare {a.name} {b.name} failed: {result.stderr}")
    return float(result.stderr.split()[0])


def reduced_by_imagemagick(source, colours, target):
    """ImageMagick's own reduction without dithering, as a yardstick."""
    subprocess.run(["convert", str(source), "+dither", "-colors", str(colours), str(target)],
                   check=True, capture_output=True, timeout=120)
    return target
