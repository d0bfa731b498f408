"""The accessibility guidelines' contrast ratio, for pixels read from screenshots."""


def luminance(rgb):
    """Relative luminance of an (r, g, b) of 0-255 channels, from 0 to 1."""
    def linear(channel):
        channel /= 255
        return channel / 12.92 if channel <= 0.04045 else ((channel + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(first, second):
    """From 1 (the same) to 21 (black on white)."""
    a, b = sorted((luminance(first), luminance(second)))
    return (b + 0.05) / (a + 0.05)
