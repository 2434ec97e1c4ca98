"""Shapes shared by several pictures: a page of text, a magnifier, a folder, a pencil."""

import math

from .canvas import (BLACK, CLEAR, GREY, NAVY, OLIVE, SILVER, WHITE, YELLOW, AQUA, RED,
                     segment_distance)


def page(canvas, left, top, right, bottom, fold, text_rows, text_left, text_right, ink=GREY,
         behind=CLEAR):
    """A white sheet with a black edge, its top right corner folded down, and lines of text.
    behind is what shows where the corner is cut away."""
    canvas.fill_rect(left, top, right, bottom, WHITE)
    canvas.frame_rect(left, top, right, bottom, BLACK)
    for i in range(fold + 1):
        y = top + i
        for x in range(right - fold + i + 1, right + 1):
            canvas.put(x, y, behind)
        canvas.put(right - fold + i, y, BLACK)  # the diagonal edge of the cut
        canvas.put(right - fold, y, BLACK)  # the flap's left edge
        for x in range(right - fold + 1, right - fold + i):
            canvas.put(x, y, SILVER)
    canvas.fill_rect(right - fold, top + fold, right, top + fold, BLACK)  # the flap's bottom edge
    # Lines of text of varying lengths, as on a page of a listing.
    widths = [1.0, 0.8, 0.95, 0.6, 0.9, 0.75, 1.0, 0.5]
    for i, y in enumerate(text_rows):
        span = text_right - text_left
        end = text_left + int(round(span * widths[i % len(widths)]))
        if y < top + fold + 2:
            end = min(end, right - fold - 2)  # keep clear of the folded corner
        canvas.fill_rect(text_left, y, end, y, ink)


def magnifier(canvas, cx, cy, radius, ring, handle_from, handle_to, handle_width):
    """A round lens with a dark rim; what is seen through it is drawn darker and the paper tinted,
    as through glass. A black handle runs down to the right."""
    for y in range(canvas.height):
        for x in range(canvas.width):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d > radius:
                continue
            if d > radius - ring:
                canvas.put(x, y, NAVY)
            elif _is_glint(x + 0.5 - cx, y + 0.5 - cy, radius - ring):
                canvas.put(x, y, WHITE)
            elif canvas.get(x, y) in (GREY, BLACK, NAVY):
                canvas.put(x, y, NAVY)
            else:
                canvas.put(x, y, AQUA)
    (x0, y0), (x1, y1) = handle_from, handle_to
    for y in range(canvas.height):
        for x in range(canvas.width):
            if segment_distance(x + 0.5, y + 0.5, x0, y0, x1, y1) <= handle_width / 2.0:
                canvas.put(x, y, BLACK)


def _is_glint(dx, dy, inner):
    """The light caught on the glass: a short arc in the lens's upper left."""
    d = math.hypot(dx, dy)
    angle = math.degrees(math.atan2(dy, dx)) % 360.0
    return 0.5 * inner <= d <= 0.75 * inner and 195.0 <= angle <= 255.0


def folder(canvas, left, top, right, bottom, tab_width, tab_height, fill=YELLOW, shade=OLIVE):
    """A closed file folder: a tab on the left above the body, black outline, a white highlight
    along the top and left inside and a darker shade along the bottom and right."""
    body_top = top + tab_height
    canvas.hline(left + 1, left + tab_width - 1, top, BLACK)
    for y in range(top + 1, body_top):
        canvas.put(left, y, BLACK)
        canvas.hline(left + 1, left + tab_width - 1, y, fill)
        canvas.put(left + tab_width, y, BLACK)
    canvas.put(left + 1, top + 1, WHITE)
    canvas.fill_rect(left, body_top, right, bottom, fill)
    canvas.frame_rect(left, body_top, right, bottom, BLACK)
    canvas.hline(left + 1, right - 1, body_top + 1, WHITE)
    canvas.vline(left + 1, body_top + 1, bottom - 1, WHITE)
    canvas.hline(left + 2, right - 1, bottom - 1, shade)
    canvas.vline(right - 1, body_top + 2, bottom - 1, shade)
    # The tab joins the body without a line between them.
    canvas.hline(left + 1, left + tab_width - 1, body_top, fill)
    canvas.put(left + 1, body_top, WHITE)


def pencil(canvas, x0, y0, x1, y1, width):
    """A yellow pencil from its red end at (x0, y0) to its black point at (x1, y1)."""
    length = math.hypot(x1 - x0, y1 - y0)
    ux, uy = (x1 - x0) / length, (y1 - y0) / length
    for y in range(canvas.height):
        for x in range(canvas.width):
            px, py = x + 0.5 - x0, y + 0.5 - y0
            along = px * ux + py * uy
            across = -px * uy + py * ux
            if along < 0 or along > length:
                continue
            tip = length - along  # distance from the point
            half = width / 2.0
            if tip < width * 1.4:  # the sharpened cone
                half = half * tip / (width * 1.4)
            if abs(across) > half + 0.35:
                continue
            if abs(across) > half - 0.65:
                colour = BLACK
            elif tip < width * 0.5:
                colour = BLACK
            elif tip < width * 1.4:
                colour = WHITE if across < 0 else SILVER  # bare wood
            elif along < width * 1.1:
                colour = RED if along < width * 0.7 else SILVER  # eraser and its metal band
            else:
                colour = YELLOW if across < 0.5 else OLIVE
            canvas.put(x, y, colour)
