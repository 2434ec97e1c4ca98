"""The pieces of draw_resources.py: a pixel canvas with the writers of the Windows picture files,
and one module per family of pictures."""
