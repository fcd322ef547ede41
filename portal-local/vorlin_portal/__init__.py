"""Local stand-in for the office's web portal used by Vorlin Printer."""
